#include "web/web_form.h"

#include <atomic>

#include "core/action_records.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/menu_records.h"
#include "core/object_records.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/bevel.h"
#include "objects/memo.h"
#include "objects/object_kinds.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "objects/web_twin.h"
#include "platform/rtl/streams.h"
#include "web/user_session.h"
#include "web/web_actions.h"
#include "web/web_cursor.h"
#include "web/web_html.h"

namespace {

std::atomic<quint64> NextPageSerial{1};

// The project source, positioned at Offset of the form's body: the body kept in memory by
// the designer, else the project file (the program file in a built program), opened with
// the usual retries outside the designer.
std::unique_ptr<TStream> OpenFormBody(const TFormData &FormData, int64_t Offset)
{
    std::unique_ptr<TStream> stream;
    if (FormData.FormInfoData) {
        // A private copy: other sessions read the same body at the same time.
        stream = std::make_unique<TMemoryStream>(FormData.FormInfoData->Bytes());
        stream->SetPosition(Offset);
        return stream;
    }
    if (DesignerMode)
        stream = TryOpenSharedForReading(ProjectSourceFile);
    else
        stream = OpenOwnFileForReading(ProjectSourceFile);
    if (stream)
        stream->SetPosition(int64_t(FormData.Position) + Offset);
    return stream;
}

QString Px(int value)
{
    return QString::number(value) + QLatin1String("px;");
}

// The attributes every control carries: id, name of its object, rectangle, cursor, hint.
QString CommonAttributes(const TZvObject &object, int index, const QString &extraStyle)
{
    QString style = QStringLiteral("left:") + Px(object.Left) + QStringLiteral("top:") + Px(object.Top)
                    + QStringLiteral("width:") + Px(object.Width) + QStringLiteral("height:") + Px(object.Height)
                    + QStringLiteral("cursor:") + CssCursor(WebCursorOf(object.Cursor)) + QLatin1Char(';')
                    + extraStyle;
    QString attributes = QStringLiteral(" class=\"zv\" id=\"o%1\" data-name=\"%2\" style=\"%3\"")
                             .arg(index)
                             .arg(HtmlEscape(object.ObjectName), HtmlEscape(style));
    if (!object.Hint.isEmpty())
        attributes += QStringLiteral(" title=\"%1\"").arg(HtmlEscape(object.Hint));
    return attributes;
}

QString TextAlign(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return QStringLiteral("text-align:right;");
    case taCenter:
        return QStringLiteral("text-align:center;");
    default:
        return QStringLiteral("text-align:left;");
    }
}

QString RenderControl(const TZvObject &object, const TWebTwin *twin, int index)
{
    if (auto *button = dynamic_cast<const TWebButton *>(twin)) {
        // Only a button with click actions posts the page.
        const bool posts = !object.OnClickActions.Actions.isEmpty();
        QString html = QStringLiteral("<button") + CommonAttributes(object, index, CssFont(button->Font));
        html += posts ? QStringLiteral(" type=\"submit\" name=\"zv_click\" value=\"%1\"").arg(index)
                      : QStringLiteral(" type=\"button\"");
        if (!object.Enable)
            html += QStringLiteral(" disabled");
        return html + QLatin1Char('>') + HtmlEscape(button->Caption) + QStringLiteral("</button>\n");
    }
    if (auto *label = dynamic_cast<const TWebLabel *>(twin)) {
        const QString style = CssFont(label->Font) + TextAlign(label->Alignment)
                              + QStringLiteral("background:") + CssColor(label->Color) + QLatin1Char(';');
        return QStringLiteral("<div") + CommonAttributes(object, index, style) + QLatin1Char('>')
               + HtmlEscape(label->Caption) + QStringLiteral("</div>\n");
    }
    if (auto *memo = dynamic_cast<const TWebMemo *>(twin)) {
        QString style = CssFont(memo->Font) + QStringLiteral("background:") + CssColor(memo->Color)
                        + QLatin1Char(';');
        style += memo->HorizontalScrollBar ? QStringLiteral("overflow-x:scroll;white-space:pre;")
                                           : QStringLiteral("overflow-x:hidden;");
        style += memo->VerticalScrollBar ? QStringLiteral("overflow-y:scroll;") : QStringLiteral("overflow-y:hidden;");
        style += memo->BorderVisible ? QStringLiteral("border:1px solid #7a7a7a;") : QStringLiteral("border:none;");
        QStringList lines;
        for (int i = 0; i < memo->Lines.Count(); ++i)
            lines << memo->Lines.Strings(i);
        QString html = QStringLiteral("<textarea") + CommonAttributes(object, index, style)
                       + QStringLiteral(" name=\"o%1\"").arg(index);
        if (!object.Enable)
            html += QStringLiteral(" readonly");
        // A leading newline would be dropped by the browser; the extra one keeps it.
        return html + QStringLiteral(">\n") + HtmlEscape(lines.join(QLatin1Char('\n'))) + QStringLiteral("</textarea>\n");
    }
    if (dynamic_cast<const TWebBevel *>(twin)) {
        return QStringLiteral("<hr")
               + CommonAttributes(object, index, QStringLiteral("border:none;border-top:1px solid #808080;"))
               + QStringLiteral(">\n");
    }
    return QString();
}

} // namespace

TWebForm::TWebForm(TIWUserSession *Session) : Session(Session), Serial(NextPageSerial++)
{
    WebObjects = NewZvObject();
    if (Session && !Session->MainForm) {
        Session->MainForm = this;
        InitMainPage();
    }
}

TWebForm::~TWebForm()
{
    delete ChildForm;
    ChildForm = nullptr;
    ClearObjects();
    FreeZvObject(WebObjects);
    if (Session) {
        if (Session->ActiveForm == this)
            Session->ActiveForm = nullptr;
        if (Session->MainForm == this)
            Session->MainForm = nullptr;
    }
}

void TWebForm::ClearObjects()
{
    while (!WebObjects->Objects.isEmpty())
        FreeZvObject(WebObjects->Objects.takeLast());
    FControls.clear();
    FocusedIndex = -1;
}

void TWebForm::InitMainPage()
{
    TFormData *first = RunProject.Forms.empty() ? nullptr : RunProject.Forms.front().get();
    bool built = false;
    try {
        built = LoadFromFormData(first);
    } catch (const std::exception &) {
        built = false;
    }
    if (!built) {
        Session->ShowMessage(QStringLiteral("Create web page error!"));
        return;
    }
    FormIndex = 0;
    try {
        RunActions(this, &OnShowActions, true);
    } catch (const std::exception &error) {
        // An action that raised ends the list; the browser is shown the error.
        Session->ShowMessage(QString::fromUtf8(error.what()));
    }
}

bool TWebForm::LoadFromFormData(TFormData *FormData)
{
    ClearObjects();
    if (!FormData)
        return false;
    Title = FormData->WebFormCaption;
    BackgroundColor = FormData->WebFormColor;

    std::unique_ptr<TStream> objects = OpenFormBody(*FormData, FormData->WebFormObjectsPosition);
    if (!objects || !LoadFromStream(objects.get()))
        return false;
    objects->SetPosition((FormData->FormInfoData ? 0 : int64_t(FormData->Position)) + FormData->WebFormActionsPosition);
    if (!ReadActionList(objects.get(), &OnShowActions) || !ReadActionList(objects.get(), &OnCloseActions))
        return false;
    return true;
}

bool TWebForm::LoadFromStream(TStream *Stream)
{
    try {
        TRecordReader r(*Stream);
        const int32_t count = r.Int32();
        for (int32_t i = 0; i < count; ++i) {
            PZvObject object = NewZvObject();
            if (!LoadWebObjectFromStream(Stream, object, i)) {
                FreeZvObject(object);
                FControls.resize(WebObjects->Objects.size());
                return false;
            }
            WebObjects->Objects.append(object);
        }
        return true;
    } catch (const std::exception &) {
        // Reported silently: a web program shows no message boxes.
        FControls.resize(WebObjects->Objects.size());
        return false;
    }
}

bool TWebForm::LoadWebObjectFromStream(TStream *Stream, PZvObject ZvObject, int Index)
{
    try {
        TRecordReader r(*Stream);
        if (r.Int32() != 0)
            return false;
        if (!ReadObjectCommonFields(Stream, ZvObject))
            return false;
        const int32_t popupCount = r.Count(MinMenuItemBytes);
        for (int32_t i = 0; i < popupCount; ++i) {
            if (!ReadMenuItem(Stream, nullptr, {}))
                return false;
        }
        if (!CreateWebObjectControl(ZvObject, Stream, Index))
            return false;
        // A web page has no containers.
        return r.Int32() == 0;
    } catch (...) {
        return false;
    }
}

bool TWebForm::CreateWebObjectControl(PZvObject ZvObject, TStream *Stream, int Index)
{
    if (!ZvObject || Index < 0)
        return false;
    const TObjectKindInfo *info = FindObjectKindInfo(ZvObject->ObjectType);
    if (!info || !info->CreateWebTwin)
        return false;
    std::unique_ptr<TWebTwin> twin(info->CreateWebTwin());
    twin->ZvObject = ZvObject;
    if (!twin->LoadFromStream(Stream))
        return false;
    if (size_t(Index) >= FControls.size())
        FControls.resize(size_t(Index) + 1);
    FControls[size_t(Index)] = std::move(twin);
    return true;
}

PZvObject TWebForm::GetZvObjectFromName(const QString &ObjectName) const
{
    for (PZvObject object : WebObjects->Objects) {
        if (object->ObjectName == ObjectName)
            return object;
    }
    return nullptr;
}

TWebTwin *TWebForm::WebControlOf(PZvObject ZvObject) const
{
    const int index = WebObjects->Objects.indexOf(ZvObject);
    return index < 0 ? nullptr : WebControl(index);
}

TWebTwin *TWebForm::WebControl(int Index) const
{
    if (Index < 0 || size_t(Index) >= FControls.size())
        return nullptr;
    return FControls[size_t(Index)].get();
}

void TWebForm::Show()
{
    // A page that left the chain is never shown again: it is deleted after this request.
    if (!Released && !Session->Terminated())
        Session->ActiveForm = this;
}

void TWebForm::ShowForm()
{
    if (Released)
        return;
    if (ChildForm) {
        Session->ReleaseForm(ChildForm);
        ChildForm = nullptr;
    }
    RunActions(this, &OnShowActions, true);
    Show();
}

void TWebForm::ShowSubForm(int Index)
{
    if (Released || Session->Terminated())
        return;
    if (Index < 0 || Index >= int(RunProject.Forms.size()) || Index == FormIndex)
        return;
    for (TWebForm *ancestor = ParentForm; ancestor; ancestor = ancestor->ParentForm) {
        if (ancestor->FormIndex == Index) {
            ancestor->ShowForm();
            return;
        }
    }
    if (ChildForm) {
        Session->ReleaseForm(ChildForm);
        ChildForm = nullptr;
    }
    auto *page = new TWebForm(Session);
    ChildForm = page;
    bool built = false;
    try {
        built = page->LoadFromFormData(RunProject.Forms[size_t(Index)].get());
    } catch (const std::exception &) {
        built = false;
    }
    if (!built) {
        ChildForm = nullptr;
        delete page;
        Session->ShowMessage(QStringLiteral("Create web page error!"));
        return;
    }
    page->ParentForm = this;
    page->FormIndex = Index;
    page->ShowForm();
}

void TWebForm::GoBack()
{
    if (ParentForm)
        ParentForm->ShowForm();
    else
        WebAppExit();
}

void TWebForm::WebAppExit()
{
    Session->Terminate(RunProject.TerminateMessage);
}

void TWebForm::WebControlClick(int Tag)
{
    if (Tag < 0 || Tag >= WebObjects->Objects.size())
        return;
    RunActions(this, &WebObjects->Objects[Tag]->OnClickActions, false);
}

void TWebForm::ApplyPostedValue(int Tag, const QString &Value)
{
    if (auto *memo = dynamic_cast<TWebMemo *>(WebControl(Tag))) {
        if (WebObjects->Objects[Tag]->Enable)
            memo->Lines.SetText(Value);
    }
}

QByteArray TWebForm::Render(const QString &ActionUrl, const QStringList &Messages) const
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>")
                   + HtmlEscape(Title) + QStringLiteral("</title>\n<style>body{margin:0;background:")
                   + CssColor(BackgroundColor)
                   + QStringLiteral(";}.zv{position:absolute;box-sizing:border-box;margin:0;padding:0;overflow:hidden;"
                                    "white-space:pre-wrap;overflow-wrap:break-word;}"
                                    "button.zv{padding:0 2px;}textarea.zv{resize:none;padding:1px;}</style>\n"
                                    "</head>\n<body>\n<form method=\"post\" accept-charset=\"UTF-8\" action=\"")
                   + HtmlEscape(ActionUrl) + QStringLiteral("\">\n<input type=\"hidden\" name=\"zv_page\" value=\"")
                   + QString::number(Serial) + QStringLiteral("\">\n");
    for (int i = 0; i < WebObjects->Objects.size(); ++i) {
        const TZvObject &object = *WebObjects->Objects[i];
        // Invisible controls are not sent.
        if (object.Visible)
            html += RenderControl(object, WebControl(i), i);
    }
    html += QStringLiteral("</form>\n");
    const bool focus = FocusedIndex >= 0 && FocusedIndex < WebObjects->Objects.size()
                       && WebObjects->Objects[FocusedIndex]->Visible;
    if (!Messages.isEmpty() || focus) {
        QStringList quoted;
        for (const QString &message : Messages)
            quoted << JsonString(message);
        html += QStringLiteral("<script>window.addEventListener(\"load\",function(){");
        if (focus)
            html += QStringLiteral("var f=document.getElementById(%1);if(f)f.focus();")
                        .arg(JsonString(QStringLiteral("o%1").arg(FocusedIndex)));
        if (!Messages.isEmpty())
            html += QStringLiteral("[") + quoted.join(QLatin1Char(','))
                    + QStringLiteral("].forEach(function(m){alert(m);});");
        html += QStringLiteral("});</script>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html.toUtf8();
}
