#include "FormMainFixture.h"
#include "app/FormMainControls.h"
#include "support/Gbk.h"

#include <QLabel>
#include <QLineEdit>

#include <gmock/gmock.h>

#include <stdexcept>

namespace {

using FormMainViewTest = FormMainFixture;
using ::testing::HasSubstr;

TEST_F(FormMainViewTest, EveryControlIsBoundToTheWidgetOfItsName)
{
    for (const Control control : kAllControls) {
        const ControlBinding& binding = form->View().Binding(control);
        ASSERT_NE(binding.widget, nullptr) << ControlName(control);
        EXPECT_EQ(binding.widget->objectName(), QLatin1String(ControlName(control)));
    }
}

TEST_F(FormMainViewTest, TextsKeepTheirLineBreaksAndAMisusedControlIsNamedInTheError)
{
    FormMainView& view = form->View();
    const std::string lines = G("猫\r\n狗");
    for (const Control control : {Control::Memo_View, Control::Memo_newInterpret, Control::Label_Interpret}) {
        view.SetText(control, lines);
        EXPECT_EQ(view.Text(control), lines) << ControlName(control);
    }
    view.SetText(Control::ComboBox_GroupWordCount, "7");
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "7");

    try {
        view.SetChecked(Control::Edit_Input, true);
        FAIL() << "a line edit has no check mark";
    } catch (const std::logic_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("Edit_Input"));
    }
    EXPECT_THROW(Widget<QLineEdit>("HintLabel"), std::logic_error); // a label, not an edit box
}

TEST_F(FormMainViewTest, TheTitleNamesTheWindowAndTheCounterKeepsItsRightEdge)
{
    Show();
    FormMainView& view = form->View();
    view.SetText(Control::fcTitleLabel1, "Words");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Words"));

    const auto& counter = Widget<QLabel>("Label_DictationCount");
    const int right = counter.geometry().right();
    view.SetText(Control::Label_DictationCount, "12345");
    EXPECT_EQ(counter.geometry().right(), right);
}

} // namespace
