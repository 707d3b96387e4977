// The storage half of the runtime form: the form body and the form's project entry.
#include <QThread>

#include "core/action_records.h"
#include "core/appended_project.h"
#include "core/error_reporting.h"
#include "core/globals.h"
#include "core/menu_records.h"
#include "core/object_records.h"
#include "core/object_tree.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/panel.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/scrollbox.h"
#include "platform/vcl/statusbar.h"
#include "runtime/event_routing.h"
#include "runtime/run_form.h"

namespace {

constexpr int kMinStatusPanelBytes = 4 + 1 + 4 + 4;

} // namespace

bool TRunForm::SaveToStream(TStream *Stream)
{
    if (!Stream)
        return false;
    return GuardRecord(pcSaveFormBody, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        if (!WriteStreamString(Stream, Caption()))
            return false;
        w.Byte(BorderIcons);
        w.Byte(BorderStyle);
        w.Byte(FormPositionType);
        w.Int32(FormPositionMargin);
        w.Byte(FormPosition);
        w.Byte(FormWindowState);
        w.Byte(FormStyle);
        w.Bool(TransparentColor);
        w.Int32(TransparentColorValue);
        w.Int32(FormAlpha);
        w.Bool(FormFade);
        w.Int32(FormFadeInStep);
        w.Int32(FormFadeOutStep);
        if (!SavePictureToStream(Stream, &IconPicture))
            return false;
        LastActionsPosition = Stream->Position();
        if (!WriteActionList(Stream, &OnShowActions) || !WriteActionList(Stream, &OnCloseActions))
            return false;
        const TMenuItem *items = MainMenu.Items();
        w.Int32(items->Count());
        for (int i = 0; i < items->Count(); ++i) {
            if (!WriteMenuItem(Stream, items->Items(i)))
                return false;
        }
        w.Int32(StatusBar->Height());
        if (!SaveFontToStream(Stream, &StatusBar->Font()))
            return false;
        w.Int32(StatusBar->Panels().Count());
        for (int i = 0; i < StatusBar->Panels().Count(); ++i) {
            if (!WriteStatusPanel(Stream, StatusBar->Panels().Items(i)))
                return false;
        }
        w.Int32(FormPositionX);
        w.Int32(FormPositionY);
        w.Int32(width());
        w.Int32(height());
        return WriteObjectRecord(Stream, PanelObject, true);
    });
}

bool TRunForm::LoadFromStream(TStream *Stream, bool IsGotoPage)
{
    if (!Stream)
        return false;
    return GuardRecord(pcLoadFormBody, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        QString caption;
        if (!ReadStreamString(Stream, caption))
            return false;
        SetCaption(caption);

        const TBorderIcons icons = r.Byte();
        const TFormBorderStyle border = TFormBorderStyle(r.Byte());
        FormPositionType = TFormPositionType(r.Byte());
        FormPositionMargin = r.Int32();
        FormPosition = TFormPosition(r.Byte());
        FormWindowState = TWindowState(r.Byte());
        const TFormStyle style = TFormStyle(r.Byte());
        const bool transparent = r.Bool();
        const TColor transparentValue = r.Int32();
        const int32_t alpha = r.Int32();
        const bool fade = r.Bool();
        const int32_t fadeIn = r.Int32();
        const int32_t fadeOut = r.Int32();
        if (!IsGotoPage) {
            // A page loaded into an existing window keeps the window's frame and fades.
            BorderIcons = icons;
            BorderStyle = border;
            FormStyle = style;
            TransparentColor = transparent;
            TransparentColorValue = transparentValue;
            FormAlpha = alpha;
            FormFade = fade;
            FormFadeInStep = fadeIn;
            FormFadeOutStep = fadeOut;
            ApplyBorder();
        }

        if (!LoadPictureFromStream(Stream, &IconPicture))
            return false;
        if (!ReadActionList(Stream, &OnShowActions))
            return false;
        if (IsGotoPage) {
            TZvActions discarded;
            if (!ReadActionList(Stream, &discarded))
                return false;
        } else if (!ReadActionList(Stream, &OnCloseActions)) {
            return false;
        }

        if (!IsGotoPage)
            MainMenu.Items()->Clear();
        const int32_t menuCount = r.Count(MinMenuItemBytes);
        const TMenuItem::TClickHandler onClick = MenuItemClickHandlerOf(this);
        for (int32_t i = 0; i < menuCount; ++i) {
            if (IsGotoPage) {
                if (!ReadMenuItem(Stream, nullptr, TMenuItem::TClickHandler()))
                    return false;
                continue;
            }
            auto *item = new TMenuItem;
            item->AutoHotkeys = maManual;
            item->OnClick = onClick;
            MainMenu.Items()->Add(item);
            if (!ReadMenuItem(Stream, item, onClick))
                return false;
        }
        if (!IsGotoPage)
            RebuildMenuBar();

        StatusBar->SetHeight(r.Int32());
        TFont statusFont;
        if (!LoadFontFromStream(Stream, &statusFont))
            return false;
        StatusBar->SetFont(statusFont);
        StatusBar->Panels().Clear();
        const int32_t panelCount = r.Count(kMinStatusPanelBytes);
        for (int32_t i = 0; i < panelCount; ++i) {
            if (!ReadStatusPanel(Stream, StatusBar->Panels().Add()))
                return false;
        }
        StatusBar->SetVisible(StatusBar->Panels().Count() > 0);

        const int32_t x = r.Int32();
        const int32_t y = r.Int32();
        const int32_t w = r.Int32();
        const int32_t h = r.Int32();
        if (!IsGotoPage) {
            FormPositionX = x;
            FormPositionY = y;
            resize(w, h);
        }

        while (!PanelObject->Objects.isEmpty())
            FreeZvObject(PanelObject->Objects.takeLast());
        const bool paintGrid = PanelPaintsGrid(PanelObject->ObjectControl);
        const bool pageRead = ReadObjectRecord(Stream, PanelObject, ScrollBox1, this, true);
        SetPanelPaintGrid(PanelObject->ObjectControl, paintGrid);
        if (!pageRead)
            return false;
        PanelObject->ObjectControl->SetAlign(alClient);

        if ((DesignerMode || RunProject.ApplicationType == atNormal) && !IsGotoPage) {
            SetAlphaBlendValue(FormFade ? 0 : FormAlpha * 255 / 100);
            DoPosition();
        }
        ApplyIcon();
        // In the designer the list and tree views settle after every load.
        if (DesignerMode && !IsPreview)
            Timer5->SetEnabled(true);
        return true;
    });
}

bool TRunForm::SaveFormData(TFormData *FormData)
{
    if (!FormData)
        return false;
    FormData->ObjectInfo->Objects.clear();
    BuildObjectInfo(PanelObject, FormData->ObjectInfo.get());
    if (!FormData->FormInfoData)
        FormData->FormInfoData = std::make_unique<TMemoryStream>();
    TMemoryStream *body = FormData->FormInfoData.get();
    // The body is written into a new buffer and swapped in only when complete, so a failed
    // write leaves the previous body as it was.
    TMemoryStream fresh;
    FormData->WebFormCaption = Caption();
    if (PanelObject->ObjectControl)
        FormData->WebFormColor = PanelObject->ObjectControl->Color();
    if (!SaveToStream(&fresh))
        return false;
    body->Bytes() = fresh.Bytes();
    body->SetPosition(0);
    FormData->WebFormObjectsPosition = int32_t(LastObjectsPosition);
    FormData->WebFormActionsPosition = int32_t(LastActionsPosition);
    DataChanged = false;
    return true;
}

bool TRunForm::LoadFormFromSourceFile(int64_t Position, bool IsGotoPage)
{
    const QString fileName = ProjectSourceFile;
    try {
        std::unique_ptr<TFileStream> file;
        if (!DesignerMode) {
            // The running program reads its own file; another reader may hold it briefly.
            file = OpenOwnFileForReading(fileName);
            if (!file) {
                ShowErrorMessage(SysErrorMessage(GetLastError()) + QStringLiteral(" \"") + fileName
                                 + QStringLiteral("\" "));
                return false;
            }
        } else {
            file = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyNone);
        }
        file->SetPosition(Position);
        return LoadFromStream(file.get(), IsGotoPage);
    } catch (const std::exception &) {
        ShowFileError(pcLoadFormFromSourceFile, fileName);
        return false;
    }
}

bool LoadFormData(TFormData *FormData, TRunForm *Form, bool IsGotoPage)
{
    if (!FormData || !Form)
        return false;
    bool ok = false;
    if (FormData->FormInfoData) {
        FormData->FormInfoData->SetPosition(0);
        ok = Form->LoadFromStream(FormData->FormInfoData.get(), IsGotoPage);
    } else {
        ok = Form->LoadFormFromSourceFile(FormData->Position, IsGotoPage);
    }
    if (!ok)
        return false;
    Form->DataChanged = false;
    return true;
}
