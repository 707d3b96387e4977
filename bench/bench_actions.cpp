// Prints how many actions per second a window's interpreter runs: a loop of 100,000 turns
// whose list holds one arithmetic action and one set-property action on variables.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/globals.h"
#include "core/project_model.h"
#include "objects/simple_text.h"
#include "runtime/object_control_creation.h"
#include "runtime/run_form.h"

namespace {

constexpr int kTurns = 100000;
constexpr int kRuns = 5;

TZvAction *Add(TZvActions &List, TCommandType Command, const char *Param1, const char *Param2 = "",
               const char *Param3 = "", const char *Param4 = "", int OptionInt = 0)
{
    auto *action = new TZvAction;
    action->Command = Command;
    action->Param1 = QString::fromLatin1(Param1);
    action->Param2 = QString::fromLatin1(Param2);
    action->Param3 = QString::fromLatin1(Param3);
    action->Param4 = QString::fromLatin1(Param4);
    action->OptionInt = OptionInt;
    List.Actions.append(action);
    return action;
}

TZvSimpleText *AddVariable(TRunForm &Form, const QString &Name)
{
    PZvObject object = NewZvObject();
    object->ObjectType = otSimpleText;
    object->ObjectName = Name;
    CreateObjectControl(object, dynamic_cast<TWinControl *>(Form.PanelObject->ObjectControl), &Form, nullptr);
    Form.PanelObject->Objects.append(object);
    return dynamic_cast<TZvSimpleText *>(object->ObjectControl);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ResetProject(false, atNormal);
    DesignerMode = false;
    TRunForm form;
    form.InitForm(QStringLiteral("Bench"));
    TZvSimpleText *counter = AddVariable(form, QStringLiteral("Counter"));
    TZvSimpleText *x = AddVariable(form, QStringLiteral("X"));
    TZvSimpleText *y = AddVariable(form, QStringLiteral("Y"));
    AddVariable(form, QStringLiteral("Z"))->IntegerValue = 1;

    TZvActions list;
    TZvAction *loop = Add(list, ctLoop, "Counter");
    // X.Integer = Y.Integer + Z.Integer, then Y.[VariableInteger] := itself + 1.
    Add(loop->Actions1, ctArithmetic, "X", "Y", "Z", "", 1);
    Add(loop->Actions1, ctSetPropertyValue, "Y", "[Constant Integer + ]", "[VariableInteger]", "1");

    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        counter->IntegerValue = kTurns;
        y->IntegerValue = 0;
        QElapsedTimer timer;
        timer.start();
        form.DoActions(&list);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (x->IntegerValue != kTurns || counter->IntegerValue != 0) {
            std::fprintf(stderr, "wrong result: X=%d counter=%d\n", x->IntegerValue, counter->IntegerValue);
            return 1;
        }
        rates.push_back(2.0 * kTurns / seconds);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("actions per second (loop of %d turns, arithmetic + set property; median of %d): %.0f\n", kTurns,
                kRuns, rates[rates.size() / 2]);
    std::printf("target: 500000 or more\n");
    return 0;
}
