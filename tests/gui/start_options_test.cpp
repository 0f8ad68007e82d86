// A start that failed, shown on the desktop.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "gui/start_options.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

class StartFailureTest : public GuiTest {};

TEST_F(StartFailureTest, TheReasonIsShownInAMessageBox)
{
    std::vector<resources::ParseError> errors;
    resources.strings.add_file_text(std::to_string(kConfigFolderUnusable) + "\tThe settings folder cannot be used:\n",
                                    0, "test.strings", errors);
    ASSERT_TRUE(errors.empty());
    QString shown;
    QTimer::singleShot(0, qApp, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    show_start_failure(ui, "/root/x: Permission denied");
    EXPECT_TRUE(shown.startsWith("The settings folder cannot be used:")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("/root/x: Permission denied")) << shown.toStdString();
}

} // namespace
} // namespace quillon::gui::test
