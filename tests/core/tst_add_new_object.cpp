#include <QtTest>

#include "core/globals.h"
#include "core/object_tree.h"
#include "core/project_model.h"
#include "objects/memo.h"
#include "objects/panel.h"
#include "objects/standard_button.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_form.h"

class TestAddNewObject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        DesignerMode = true;
        m_form = new TRunForm;
    }
    void cleanupTestCase() { delete m_form; }

    void snapping_data()
    {
        QTest::addColumn<bool>("snap");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("up") << true << 13 << 12 << 16 << 16;
        QTest::newRow("down") << true << 11 << 11 << 8 << 8;
        QTest::newRow("off") << false << 13 << 11 << 13 << 11;
    }

    void snapping()
    {
        QFETCH(bool, snap);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, left);
        QFETCH(int, top);
        DesignSnapToGrid = snap;
        DesignGridSizeX = DesignGridSizeY = 8;
        PZvObject object = AddNewZvObject(m_form->PanelObject, otBevel, x, y, m_form);
        QVERIFY(object);
        QCOMPARE(object->ObjectControl->Left(), left);
        QCOMPARE(object->ObjectControl->Top(), top);
        DesignSnapToGrid = true;
    }

    void namesAndInitialTexts()
    {
        TScriptedUiServices ui;
        PZvObject page = m_form->PanelObject;
        PZvObject first = AddNewZvObject(page, otStandardButton, 0, 0, m_form);
        PZvObject second = AddNewZvObject(page, otStandardButton, 0, 0, m_form);
        QCOMPARE(first->ObjectName, QStringLiteral("Button1"));
        QCOMPARE(second->ObjectName, QStringLiteral("Button2"));
        QCOMPARE(static_cast<TZvStandardButton *>(second->ObjectControl)->Caption(), QStringLiteral("Button2"));
        PZvObject memo = AddNewZvObject(page, otMemo, 0, 0, m_form);
        QCOMPARE(static_cast<TZvMemo *>(memo->ObjectControl)->Text(), QStringLiteral("Memo1"));
        PZvObject panel = AddNewZvObject(page, otPanel, 0, 0, m_form);
        QCOMPARE(static_cast<TZvPanel *>(panel->ObjectControl)->PanelBack()->Caption(), QStringLiteral("Panel1"));
        // The constructor's size stays for a new object.
        QCOMPARE(first->ObjectControl->Width(), 97);
        QCOMPARE(first->ObjectControl->Height(), 25);
        QCOMPARE(page->Objects.last(), panel);
        QVERIFY(ui.Calls.isEmpty());
    }

    void refusals()
    {
        TScriptedUiServices ui;
        QVERIFY(!AddNewZvObject(nullptr, otPanel, 0, 0, m_form));
        const int before = int(m_form->PanelObject->Objects.size());
        // A kind this build has no class for is refused with its message.
        QVERIFY(!AddNewZvObject(m_form->PanelObject, otPDFReader, 0, 0, m_form));
        QCOMPARE(int(m_form->PanelObject->Objects.size()), before);
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Unknown object type, maybe file version has problem.")});
    }

private:
    TRunForm *m_form = nullptr;
};

QTEST_MAIN(TestAddNewObject)
#include "tst_add_new_object.moc"
