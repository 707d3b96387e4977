#include <QTemporaryDir>
#include <QtTest>

#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "objects/object_kinds.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/controls.h"
#include "runtime/object_control_creation.h"
#include "runtime/run_form.h"
#include "support/kind_fixtures.h"
#include "support/test_files.h"

namespace {

PZvObject AddObject(PZvObject parent, TObjectType kind, const QString &name, int left)
{
    return AddKindObject(parent, kind, name, left, left / 2, RunForm);
}

// Fills the page with one object of every kind this build can create; tab sheets go into a
// tab notebook. Returns how many objects were placed.
int FillPage(TRunForm *form, const QString &prefix)
{
    PZvObject page = form->PanelObject;
    int placed = 0;
    PZvObject notebook = nullptr;
    for (int kind = 0; kind < ObjectTypeCount; ++kind) {
        const TObjectKindInfo *info = FindObjectKindInfo(kind);
        if (!info->CreateControl || kind == otTabSheet)
            continue;
        PZvObject object = AddObject(page, TObjectType(kind), prefix + QString::number(kind), 10 + 3 * kind);
        if (!object)
            continue;
        ++placed;
        if (kind == otTabNotebook)
            notebook = object;
    }
    if (notebook && FindObjectKindInfo(otTabSheet)->CreateControl) {
        for (int i = 0; i < 2; ++i) {
            if (PZvObject sheet = AddObject(notebook, otTabSheet, prefix + QStringLiteral("Sheet%1").arg(i), 0)) {
                ++placed;
                if (FindObjectKindInfo(otStandardButton)->CreateControl && AddObject(sheet, otStandardButton, prefix + QStringLiteral("OnSheet%1").arg(i), 5))
                    ++placed;
            }
        }
    }
    return placed;
}

} // namespace

class TestStorageEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void savedFormsLoadAndSaveIdentically()
    {
        TScriptedUiServices ui;
        DesignerMode = true;
        RunForm = new TRunForm;
        ResetProject(true, atNormal);
        QVERIFY(FillPage(RunForm, QStringLiteral("A")) > 0);
        RunForm->SetCaption(QStringLiteral("First page"));
        QVERIFY(RunForm->SaveFormData(RunProject.Forms[0].get()));

        auto second = std::make_unique<TFormData>();
        second->FormName = QStringLiteral("Form2");
        RunProject.Forms.push_back(std::move(second));
        RunForm->InitForm(QStringLiteral("Second page"));
        const int placed = FillPage(RunForm, QStringLiteral("B"));
        QVERIFY(RunForm->SaveFormData(RunProject.Forms[1].get()));

        QList<QByteArray> bodies;
        for (const auto &form : RunProject.Forms)
            bodies << form->FormInfoData->Bytes();

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("all.zvprj"));
        QVERIFY(WriteProjectFile(file, QString()));
        QVERIFY(OpenProjectFile(file));
        ProjectSourceFile = file;
        QCOMPARE(int(RunProject.Forms.size()), 2);
        QCOMPARE(int(RunProject.Forms[1]->ObjectInfo->Objects.size()) > 0, true);

        for (int i = 0; i < 2; ++i) {
            TFormData *form = RunProject.Forms[i].get();
            QVERIFY(!form->FormInfoData);
            QVERIFY(LoadFormData(form, RunForm, false));
            QVERIFY(RunForm->SaveFormData(form));
            QCOMPARE(form->FormInfoData->Bytes().toHex(), bodies[i].toHex());
        }
        QCOMPARE(RunForm->Caption(), QStringLiteral("Second page"));
        int loaded = 0;
        std::function<void(PZvObject)> count = [&](PZvObject o) {
            for (PZvObject c : o->Objects) {
                ++loaded;
                count(c);
            }
        };
        count(RunForm->PanelObject);
        QCOMPARE(loaded, placed);
        QVERIFY2(ui.Messages().isEmpty(), qPrintable(ui.Messages().join('\n')));

        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
    }
};

QTEST_MAIN(TestStorageEndToEnd)
#include "tst_storage_end_to_end.moc"
