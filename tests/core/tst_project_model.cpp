#include <QStringList>
#include <QtTest>
#include <memory>

#include "app/app_def.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/menus.h"

namespace {

// Writes "<name of its record>" to the log when deleted: proves both that the control is
// deleted and that its record is still alive at that moment.
class TLoggingControl : public TControl
{
public:
    TLoggingControl(QStringList &log, QWidget *parent) : TControl(parent), m_log(log) {}
    ~TLoggingControl() override { m_log.append(ZvObject ? ZvObject->ObjectName : QStringLiteral("?")); }

private:
    QStringList &m_log;
};

PZvObject AddObject(PZvObject parent, const QString &name, QStringList &log)
{
    PZvObject object = NewZvObject();
    object->ObjectName = name;
    // The controls nest as the objects do, as on a real page.
    auto *control = new TLoggingControl(log, parent && parent->ObjectControl ? parent->ObjectControl : nullptr);
    control->ZvObject = object;
    object->ObjectControl = control;
    if (parent)
        parent->Objects.append(object);
    return object;
}

// Actions whose Param1 shares the marker's text: the marker is detached again only once
// every action holding a copy is gone.
void AddActions(TZvActions &list, const QString &marker, int depth)
{
    for (int i = 0; i < 2; ++i) {
        auto *action = new TZvAction;
        action->Command = ctIfThenElse;
        action->Param1 = marker;
        if (depth > 0) {
            AddActions(action->Actions1, marker, depth - 1);
            AddActions(action->Actions2, marker, depth - 1);
        }
        list.Actions.append(action);
    }
}

QString HeapMarker()
{
    return QString(QStringLiteral("marker")).repeated(2); // heap text with a reference count
}

void Dirty(TRunProject &p)
{
    p.AppTitle = QStringLiteral("Old");
    p.AppFileDescription = QStringLiteral("d");
    p.AppCompanyName = QStringLiteral("c");
    p.AppLegalCopyright = QStringLiteral("l");
    p.AppFileName = QStringLiteral("f");
    p.AppOutputDir = QStringLiteral("o");
    p.AppFileVersionMajor = 7;
    p.AppFileVersionMinor = 6;
    p.AppFileVersionRelease = 5;
    p.AppFileVersionBuild = 4;
    p.AppIconFileStream = std::make_unique<TMemoryStream>(QByteArray("icon"));
    AddActions(p.OnStartActions, QStringLiteral("s"), 1);
    AddActions(p.OnExitActions, QStringLiteral("e"), 1);
    for (const char *name : {"A", "B"}) {
        auto form = std::make_unique<TFormData>();
        form->FormName = QString::fromLatin1(name);
        form->Position = 55;
        form->FormInfoData = std::make_unique<TMemoryStream>(QByteArray("body"));
        form->ObjectInfo->Objects.push_back(std::make_unique<TObjectInfo>());
        p.Forms.push_back(std::move(form));
    }
    p.ApplicationType = atNormal;
    p.WebSessionTimeout = 99;
    p.WebPort = 1;
    p.TerminateMessage = QStringLiteral("t");
    p.SecurityType = stAuthentication;
    p.SecurityUserAuthList = QStringLiteral("x");
    p.SecurityUserAuthLabel = QStringLiteral("x");
    p.SecurityPasswordLabel = QStringLiteral("x");
    p.SecurityErrorMessage = QStringLiteral("x");
    p.SecurityTitle = QStringLiteral("x");
    p.SecurityOKButtonCaption = QStringLiteral("x");
    p.SecurityCancelButtonCaption = QStringLiteral("x");
    p.SplashScreenName = QStringLiteral("Splash");
    p.SplashScreenTime = 1;
    p.ExitFormName = QStringLiteral("Exit");
    p.ExitFormTime = 1;
    p.FullScreenName = QStringLiteral("Full");
}

} // namespace

class TestProjectModel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        AppDef.CDMenu = false;
        ProjectModified = false;
        Dirty(RunProject);
    }

    void resetWithFirstForm()
    {
        ResetProject(true, atNormal);
        const TRunProject &p = RunProject;
        QCOMPARE(p.AppTitle, QStringLiteral("Application"));
        QCOMPARE(p.ApplicationType, atNormal);
        QCOMPARE(p.Forms.size(), size_t(1));
        const TFormData &form = *p.Forms[0];
        QCOMPARE(form.FormName, QStringLiteral("Form1"));
        QCOMPARE(form.Position, 0);
        QCOMPARE(form.OldPosition, 0);
        QCOMPARE(form.Length, 0);
        QCOMPARE(form.WebFormObjectsPosition, 0);
        QCOMPARE(form.WebFormActionsPosition, 0);
        QVERIFY(!form.FormInfoData);
        QVERIFY(form.ObjectInfo);
        QVERIFY(form.ObjectInfo->Objects.empty());
        QVERIFY(ProjectModified);
    }

    void resetWebWithoutForms()
    {
        ResetProject(false, atWebStandAlone);
        const TRunProject &p = RunProject;
        QCOMPARE(p.AppTitle, QStringLiteral("Web Application"));
        QCOMPARE(p.ApplicationType, atWebStandAlone);
        QCOMPARE(p.WebPort, 8888u);
        QCOMPARE(p.WebSessionTimeout, 10);
        QCOMPARE(p.TerminateMessage, QStringLiteral("Good bye."));
        QVERIFY(p.Forms.empty());
        QVERIFY(!ProjectModified); // only a new first form marks the project modified

        QCOMPARE(p.SecurityType, stNone);
        QCOMPARE(p.SecurityUserAuthList, QStringLiteral("Gardenia,Tulipfox"));
        QCOMPARE(p.SecurityUserAuthLabel, QStringLiteral("User/AuthCode: "));
        QCOMPARE(p.SecurityPasswordLabel, QStringLiteral("Password: "));
        QCOMPARE(p.SecurityErrorMessage, QStringLiteral("Invalid user name, password or authentication code."));
        QCOMPARE(p.SecurityTitle, QStringLiteral("Please input your user name, password or authentication code."));
        QCOMPARE(p.SecurityOKButtonCaption, QStringLiteral("OK"));
        QCOMPARE(p.SecurityCancelButtonCaption, QStringLiteral("Cancel"));

        QCOMPARE(p.AppFileDescription, QString());
        QCOMPARE(p.AppCompanyName, QString());
        QCOMPARE(p.AppLegalCopyright, QString());
        QCOMPARE(p.AppFileName, QString());
        QCOMPARE(p.AppOutputDir, QString());
        QCOMPARE(p.AppFileVersionMajor, 1);
        QCOMPARE(p.AppFileVersionMinor, 0);
        QCOMPARE(p.AppFileVersionRelease, 0);
        QCOMPARE(p.AppFileVersionBuild, 0);
        QCOMPARE(p.SplashScreenName, QString());
        QCOMPARE(p.SplashScreenTime, 3000);
        QCOMPARE(p.ExitFormName, QString());
        QCOMPARE(p.ExitFormTime, 3000);
        QCOMPARE(p.FullScreenName, QString());
        QVERIFY(!p.AppIconFileStream);
        QVERIFY(p.OnStartActions.Actions.isEmpty());
        QVERIFY(p.OnExitActions.Actions.isEmpty());
    }

    void resetTitle_data()
    {
        QTest::addColumn<bool>("cdMenu");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("title");
        QTest::newRow("desktop") << false << int(atNormal) << "Application";
        QTest::newRow("cd menu") << true << int(atNormal) << "CD Menu";
        QTest::newRow("web wins over cd menu") << true << int(atWebStandAlone) << "Web Application";
    }

    void resetTitle()
    {
        QFETCH(bool, cdMenu);
        QFETCH(int, type);
        QFETCH(QString, title);
        AppDef.CDMenu = cdMenu;
        ResetProject(false, TApplicationType(type));
        QCOMPARE(RunProject.AppTitle, title);
    }

    void newObjectDefaults()
    {
        std::unique_ptr<TZvObject, void (*)(PZvObject)> object(NewZvObject(), FreeZvObject);
        QCOMPARE(object->ObjectName, QString());
        QCOMPARE(object->ObjectType, otPanel);
        QCOMPARE(object->Align, alNone);
        QVERIFY(object->Enable && object->Visible);
        QVERIFY(!object->Locked && !object->MoveHandle && !object->Selected);
        QCOMPARE(object->Cursor, crDefault);
        QCOMPARE(object->Hint, QString());
        QCOMPARE(QRect(object->Left, object->Top, object->Width, object->Height), QRect(0, 0, 100, 100));
        QVERIFY(object->Objects.isEmpty() && object->OnClickActions.Actions.isEmpty());
        QVERIFY(!object->PopupMenu && !object->ObjectControl && !object->TreeNode);
    }

    void freeOrder()
    {
        QStringList log;
        PZvObject root = AddObject(nullptr, QStringLiteral("Root"), log);
        PZvObject a = AddObject(root, QStringLiteral("A"), log);
        AddObject(a, QStringLiteral("A1"), log);
        AddObject(a, QStringLiteral("A2"), log);
        AddObject(root, QStringLiteral("B"), log);

        // The popup menu reports its deletion through a click handler's captured guard.
        root->PopupMenu = new TPopupMenu;
        auto *item = new TMenuItem;
        std::shared_ptr<void> guard(nullptr, [&log](void *) { log.append(QStringLiteral("Root popup")); });
        item->OnClick = [guard](TMenuItem *) {};
        guard.reset();
        root->PopupMenu->Items()->Add(item);

        FreeZvObject(root);
        QCOMPARE(log, QStringList({"B", "A2", "A1", "A", "Root popup", "Root"}));
    }

    void freeFreesNestedActions()
    {
        const QString marker = HeapMarker();
        PZvObject object = NewZvObject();
        for (TZvActions *list : {&object->OnClickActions, &object->OnDblClickActions, &object->OnEnterActions,
                 &object->OnLeaveActions, &object->OnMouseDownActions, &object->OnMouseUpActions})
            AddActions(*list, marker, 2);
        PZvObject child = NewZvObject();
        AddActions(child->OnClickActions, marker, 3);
        object->Objects.append(child);
        QVERIFY(!marker.isDetached());

        FreeZvObject(object);
        QVERIFY(marker.isDetached());
    }

    void freeActionList()
    {
        const QString marker = HeapMarker();
        TZvActions list;
        AddActions(list, marker, 3);
        FreeActionList(&list);
        QVERIFY(list.Actions.isEmpty());
        QVERIFY(marker.isDetached());

        // A list going out of scope frees what it holds.
        {
            TZvActions scoped;
            AddActions(scoped, marker, 2);
            QVERIFY(!marker.isDetached());
        }
        QVERIFY(marker.isDetached());

        FreeActionList(nullptr);
        FreeZvObject(nullptr);
    }

    void freeObjectInfo()
    {
        auto info = std::make_unique<TObjectInfo>();
        info->Objects.push_back(std::make_unique<TObjectInfo>());
        info->Objects.back()->Objects.push_back(std::make_unique<TObjectInfo>());
        FreeObjectInfo(info);
        QVERIFY(!info);
        FreeObjectInfo(info); // an empty pointer is left alone
        QVERIFY(!info);
    }
};

QTEST_MAIN(TestProjectModel)
#include "tst_project_model.moc"
