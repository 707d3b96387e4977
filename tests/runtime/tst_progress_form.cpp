#include <QProgressBar>
#include <QtTest>

#include "runtime/progress_form.h"

class TestProgressForm : public QObject
{
    Q_OBJECT

private slots:
    void withoutAWindowNothingHappens()
    {
        QVERIFY(ProgressForm.isNull());
        SetProgress(3);
        CloseProgress();
        QVERIFY(ProgressForm.isNull());
    }

    void opensStepsAndCloses()
    {
        OpenProgress(QStringLiteral("Save Project"), 4);
        QPointer<TProgressForm> first = ProgressForm.data();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowTitle(), QStringLiteral("Save Project"));
        QCOMPARE(first->ProgressBar1->maximum(), 4);
        QCOMPARE(first->ProgressBar1->value(), 0);
        SetProgress(2);
        QCOMPARE(first->ProgressBar1->value(), 2);

        // A second window replaces the first, which does not stay behind on the screen.
        OpenProgress(QStringLiteral("Build"), 2);
        QVERIFY(!first);
        QVERIFY(ProgressForm && ProgressForm->windowTitle() == QStringLiteral("Build"));

        QPointer<TProgressForm> second = ProgressForm.data();
        CloseProgress();
        QVERIFY(!second);
        QVERIFY(ProgressForm.isNull());
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progress_form.moc"
