#include <QTemporaryDir>
#include <QtTest>

#include "core/action_records.h"
#include "core/globals.h"
#include "core/object_records.h"
#include "core/object_tree.h"
#include "core/project_model.h"
#include "objects/standard_button.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/scrollbox.h"
#include "platform/vcl/statusbar.h"
#include "platform/vcl/menus.h"
#include "runtime/run_form.h"
#include "support/kind_fixtures.h"
#include "support/record_fixtures.h"
#include "support/test_files.h"

class TestObjectRecords : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = true;
        DesignerPreview = false;
        m_form = new TRunForm;
    }
    void cleanup()
    {
        delete m_form;
        m_form = nullptr;
    }

    void commonPartLayout()
    {
        PZvObject button = AddNewZvObject(m_form->PanelObject, otStandardButton, 8, 16, m_form);
        button->Hint = QStringLiteral("H");
        button->ObjectControl->SetBounds(8, 16, 97, 25);
        const QByteArray bytes = ObjectRecordBytes(button);
        // version, name "Button1", hint "H", kind 6, enabled, visible, alNone, unlocked, no move
        // handle, default cursor, geometry, six empty lists, no popup items.
        QByteArray expected = Int32Bytes(0) + Int32Bytes(7) + QByteArray::fromHex("42007500740074006f006e003100")
                              + Int32Bytes(1) + QByteArray::fromHex("4800") + QByteArray::fromHex("060101000000")
                              + QByteArray::fromHex("0000") + Int32Bytes(8) + Int32Bytes(16) + Int32Bytes(97)
                              + Int32Bytes(25);
        for (int i = 0; i < 6; ++i)
            expected += Int32Bytes(0);
        expected += Int32Bytes(0);
        QCOMPARE(bytes.left(expected.size()).toHex(), expected.toHex());
        // The record ends with the child count.
        QCOMPARE(bytes.right(4), Int32Bytes(0));
    }

    void roundTripWithPopupActionsAndChildren()
    {
        PZvObject panel = AddNewZvObject(m_form->PanelObject, otPanel, 0, 0, m_form);
        PZvObject button = AddNewZvObject(panel, otStandardButton, 4, 4, m_form);
        auto *exit = new TZvAction;
        exit->Command = ctExit;
        button->OnClickActions.Actions << exit;
        button->PopupMenu = new TPopupMenu;
        auto *item = new TMenuItem;
        item->SetCaption(QStringLiteral("Open"));
        button->PopupMenu->Items()->Add(item);
        const QByteArray first = ObjectRecordBytes(panel);

        TMemoryStream stream(first);
        PZvObject copy = NewZvObject();
        QVERIFY(ReadObjectRecord(&stream, copy, m_form->ScrollBox1, m_form, false));
        QCOMPARE(stream.Position(), stream.Size());
        QCOMPARE(copy->Objects.size(), 1);
        PZvObject copiedButton = copy->Objects[0];
        QCOMPARE(copiedButton->ObjectControl->ZvObject, copiedButton);
        QCOMPARE(copiedButton->OnClickActions.Actions.size(), 1);
        QCOMPARE(copiedButton->PopupMenu->Items()->Items(0)->Caption(), QStringLiteral("Open"));
        QCOMPARE(copiedButton->ObjectControl->PopupMenu(), copiedButton->PopupMenu);
        QCOMPARE(ObjectRecordBytes(copy).toHex(), first.toHex());
        FreeZvObject(copy);
    }

    void noPopupFreesAnExistingOne()
    {
        PZvObject button = AddNewZvObject(m_form->PanelObject, otStandardButton, 0, 0, m_form);
        const QByteArray bytes = ObjectRecordBytes(button);
        PZvObject target = NewZvObject();
        target->PopupMenu = new TPopupMenu;
        TMemoryStream stream(bytes);
        QVERIFY(ReadObjectRecord(&stream, target, m_form->ScrollBox1, m_form, false));
        QVERIFY(!target->PopupMenu);
        FreeZvObject(target);
    }

    void refusedRecords_data()
    {
        QTest::addColumn<int>("kindByte");
        QTest::addColumn<QString>("message");
        QTest::newRow("kind past the table") << 72 << "Unknown object type, maybe file version has problem.";
        QTest::newRow("kind without a class here") << int(otPDFReader)
                                                   << "Unknown object type, maybe file version has problem.";
    }

    void refusedRecords()
    {
        QFETCH(int, kindByte);
        QFETCH(QString, message);
        PZvObject button = AddNewZvObject(m_form->PanelObject, otStandardButton, 0, 0, m_form);
        QByteArray bytes = ObjectRecordBytes(button);
        bytes[4 + 4 + 14 + 4] = char(kindByte); // the kind byte after the name and the empty hint
        TScriptedUiServices ui;
        TMemoryStream stream(bytes);
        PZvObject target = NewZvObject();
        QVERIFY(!ReadObjectRecord(&stream, target, m_form->ScrollBox1, m_form, false));
        QCOMPARE(ui.Messages(), QStringList{message});
        FreeZvObject(target);
    }

    void versionAndCutShort()
    {
        PZvObject button = AddNewZvObject(m_form->PanelObject, otStandardButton, 0, 0, m_form);
        const QByteArray bytes = ObjectRecordBytes(button);
        {
            TScriptedUiServices ui;
            QByteArray other = bytes;
            other[0] = 1;
            TMemoryStream stream(other);
            PZvObject target = NewZvObject();
            QVERIFY(!ReadObjectRecord(&stream, target, m_form->ScrollBox1, m_form, false));
            QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
            FreeZvObject(target);
        }
        for (int cut : {10, 40, int(bytes.size()) - 2}) {
            TScriptedUiServices ui;
            TMemoryStream stream(bytes.left(cut));
            PZvObject target = NewZvObject();
            QVERIFY(!ReadObjectRecord(&stream, target, m_form->ScrollBox1, m_form, false));
            QCOMPARE(ui.Messages().size(), 1);
            FreeZvObject(target);
        }
    }

    void childObjectsFile()
    {
        QTemporaryDir dir;
        PZvObject panel = AddNewZvObject(m_form->PanelObject, otPanel, 0, 0, m_form);
        const QString empty = dir.filePath(QStringLiteral("empty.obs"));
        QVERIFY(SaveChildObjectsFile(panel, empty));
        QCOMPARE(ReadFileBytes(empty).toHex(), QByteArray("937485340000000000000000"));

        AddNewZvObject(panel, otStandardButton, 0, 0, m_form);
        AddNewZvObject(panel, otMemo, 0, 0, m_form);
        const QString two = dir.filePath(QStringLiteral("two.obs"));
        QVERIFY(SaveChildObjectsFile(panel, two));

        PZvObject other = AddNewZvObject(m_form->PanelObject, otPanel, 0, 0, m_form);
        AddNewZvObject(other, otBevel, 0, 0, m_form);
        QVERIFY(LoadChildObjectsFile(other, two, m_form));
        QCOMPARE(other->Objects.size(), 2);
        QCOMPARE(other->Objects[1]->ObjectName, QStringLiteral("Memo1"));
        QVERIFY(other->ObjectControl->Visible());

        TScriptedUiServices ui;
        QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("bad.obs")), QByteArray(12, '\1')));
        QVERIFY(!LoadChildObjectsFile(other, dir.filePath(QStringLiteral("bad.obs")), m_form));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Invalid file format.")});
        QCOMPARE(other->Objects.size(), 2); // nothing changed
        QVERIFY_THROWS_EXCEPTION(std::exception, LoadChildObjectsFile(other, dir.filePath("missing.obs"), m_form));
    }

    void gotoPageKeepsTheWindowFrame()
    {
        ResetProject(false, atNormal);
        // Page A: fixed frame, fades off, a close action and a menu.
        m_form->InitForm(QStringLiteral("Page A"));
        m_form->BorderStyle = fbsDialog;
        m_form->FormFade = false;
        m_form->FormAlpha = 80;
        m_form->resize(300, 200);
        m_form->OnCloseActions.Actions << new TZvAction;
        auto *menuItem = new TMenuItem;
        menuItem->SetCaption(QStringLiteral("File"));
        m_form->MainMenu.Items()->Add(menuItem);
        TFormData a;
        QVERIFY(m_form->SaveFormData(&a));

        // Page B: other frame and size, a show action, a status panel and a button.
        m_form->InitForm(QStringLiteral("Page B"));
        m_form->resize(500, 400);
        m_form->FormPosition = fpLeftTopCorner;
        m_form->OnShowActions.Actions << new TZvAction;
        m_form->StatusBar->Panels().Add();
        AddNewZvObject(m_form->PanelObject, otStandardButton, 0, 0, m_form);
        TFormData b;
        QVERIFY(m_form->SaveFormData(&b));
        QCOMPARE(b.ObjectInfo->Objects.size(), size_t(1));

        QVERIFY(LoadFormData(&a, m_form, false));
        QVERIFY(LoadFormData(&b, m_form, true));
        QCOMPARE(m_form->Caption(), QStringLiteral("Page B"));
        QCOMPARE(m_form->BorderStyle, fbsDialog);
        QCOMPARE(m_form->FormFade, false);
        QCOMPARE(m_form->FormAlpha, 80);
        QCOMPARE(m_form->width(), 300);
        QCOMPARE(m_form->OnCloseActions.Actions.size(), 1);
        QCOMPARE(m_form->MainMenu.Items()->Count(), 1);
        QCOMPARE(m_form->FormPosition, fpLeftTopCorner);
        QCOMPARE(m_form->OnShowActions.Actions.size(), 1);
        QCOMPARE(m_form->StatusBar->Panels().Count(), 1);
        QCOMPARE(m_form->PanelObject->Objects.size(), 1);
        // The page's child count lies where the entry says.
        const int32_t childCount =
            *reinterpret_cast<const int32_t *>(a.FormInfoData->Bytes().constData() + a.WebFormObjectsPosition);
        QCOMPARE(childCount, 0);
    }

    void failedStoreKeepsThePreviousBody()
    {
        TFormData entry;
        QVERIFY(m_form->SaveFormData(&entry));
        const QByteArray before = entry.FormInfoData->Bytes();
        // An object without a live control cannot write its kind record.
        PZvObject orphan = NewZvObject();
        orphan->ObjectType = otStandardButton;
        m_form->PanelObject->Objects.append(orphan);
        TScriptedUiServices ui;
        QVERIFY(!m_form->SaveFormData(&entry));
        QCOMPARE(ui.Messages(), QStringList{ExpectedStorageError(ENOSYS, 5513)});
        QCOMPARE(entry.FormInfoData->Bytes(), before);
    }

private:
    TRunForm *m_form = nullptr;
};

QTEST_MAIN(TestObjectRecords)
#include "tst_object_records.moc"
