#include "runtime/dialog_command.h"

#include "objects/simple_text.h"
#include "platform/graphics/font.h"
#include "platform/paths.h"
#include "platform/ui_services.h"
#include "runtime/general_form.h"
#include "runtime/variable_commands.h"

namespace {

const QLatin1String TextFileFilter(
    "Plain and Rich Text Files|*.txt;*.rtf|Text Files|*.txt|Rich Text Files|*.rtf");

enum TFileDialogKind { fdOpen, fdSave };

// An open or save dialog that starts in the folder of the variable's file name with its
// name preset; the chosen file becomes the variable's text.
bool RunFileDialog(TZvSimpleText *Variable, TFileDialogKind Kind, const QString &Filter)
{
    TFileDialogRequest request;
    request.Filter = Filter;
    request.InitialDir = ExtractFilePath(Variable->StringValue);
    request.FileName = ExtractFileName(Variable->StringValue);
    const bool confirmed =
        Kind == fdOpen ? UiServices().OpenFileDialog(request) : UiServices().SaveFileDialog(request);
    if (confirmed)
        Variable->StringValue = request.FileName;
    return confirmed;
}

bool RunFontDialog(TZvSimpleText *Variable)
{
    TFont font = Variable->Font();
    if (!UiServices().FontDialog(font))
        return false;
    Variable->SetFont(font);
    return true;
}

bool RunColorDialog(TZvSimpleText *Variable)
{
    TColor color = Variable->ColorValue;
    if (!UiServices().ColorDialog(color))
        return false;
    Variable->ColorValue = color;
    return true;
}

// The variable's Boolean, as it stands before the dialog, offers the new-folder button.
bool RunFolderDialog(TZvSimpleText *Variable)
{
    QString folder = Variable->StringValue;
    if (!UiServices().SelectFolderDialog(QString(), folder, Variable->BooleanValue))
        return false;
    Variable->StringValue = folder;
    return true;
}

} // namespace

void DoDialogCommand(TRunForm *Form, const TZvAction &Action)
{
    if (Action.Param1.isEmpty() || Action.Param2.isEmpty())
        return;
    TZvSimpleText *variable = VariableObjectOf(Form, Action.Param2);
    if (!variable)
        return;
    const QString &kind = Action.Param1;
    bool confirmed = false;
    if (kind == QLatin1String("[Open Dialog]"))
        confirmed = RunFileDialog(variable, fdOpen, Action.Param3);
    else if (kind == QLatin1String("[Save Dialog]"))
        confirmed = RunFileDialog(variable, fdSave, Action.Param3);
    else if (kind == QLatin1String("[Open Picture Dialog]"))
        confirmed = RunFileDialog(variable, fdOpen, OpenPictureDialogFilter);
    else if (kind == QLatin1String("[Save Picture Dialog]"))
        confirmed = RunFileDialog(variable, fdSave, OpenPictureDialogFilter);
    else if (kind == QLatin1String("[Open Text File Dialog]"))
        confirmed = RunFileDialog(variable, fdOpen, TextFileFilter);
    else if (kind == QLatin1String("[Save Text File Dialog]"))
        confirmed = RunFileDialog(variable, fdSave, TextFileFilter);
    else if (kind == QLatin1String("[Font Dialog]"))
        confirmed = RunFontDialog(variable);
    else if (kind == QLatin1String("[Color Dialog]"))
        confirmed = RunColorDialog(variable);
    else if (kind == QLatin1String("[Select Directory]"))
        confirmed = RunFolderDialog(variable);
    else
        return;
    if (Action.OptionBool)
        variable->BooleanValue = confirmed;
}
