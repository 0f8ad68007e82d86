// Screenshots on a private copy of the configuration folder, and a start
// that failed shown on the desktop.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "gui/start_options.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ScratchConfigFolder, CopiesTheDefaultProfileMarksTheFirstStartAndGoesAway)
{
    const fs::path user = fs::temp_directory_path() / "quillon-gui-scratch-user";
    fs::remove_all(user);
    fs::create_directories(user);
    std::ofstream(user / "default.pro") << "[SET_DIV]\nLANGUAGE=1\n";
    std::string scratchPath;
    {
        ScratchConfigFolder scratch(user.string());
        scratchPath = scratch.path();
        ASSERT_FALSE(scratchPath.empty());
        EXPECT_NE(fs::path(scratchPath), user);
        EXPECT_EQ(read_all(fs::path(scratchPath) / "default.pro"), "[SET_DIV]\nLANGUAGE=1\n");
        EXPECT_NE(read_all(fs::path(scratchPath) / "quillon.ini").find("FirstRun=1"), std::string::npos);
        // What the run writes stays in the copy.
        std::ofstream(fs::path(scratchPath) / "default.pro") << "[SET_DIV]\nLANGUAGE=0\n";
    }
    EXPECT_FALSE(fs::exists(scratchPath)) << "removed at the end";
    EXPECT_EQ(read_all(user / "default.pro"), "[SET_DIV]\nLANGUAGE=1\n");
    EXPECT_FALSE(fs::exists(user / "quillon.ini")) << "no first-run flag in the user's folder";
    fs::remove_all(user);

    // An empty or missing folder gives a fresh copy all the same.
    ScratchConfigFolder fresh((fs::temp_directory_path() / "quillon-gui-no-such-folder").string());
    ASSERT_FALSE(fresh.path().empty());
    EXPECT_FALSE(fs::exists(fs::path(fresh.path()) / "default.pro"));
    EXPECT_TRUE(fs::exists(fs::path(fresh.path()) / "quillon.ini"));
}

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
