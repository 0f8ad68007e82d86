// The port picture selector, headless: where it comes from and goes to in
// the profiles, its menu per language, the pick, and the language choice of
// the settings dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fake_library.h"
#include "pages/port_picture.h"
#include "platform/headless_backend.h"
#include "profile/ini_file.h"
#include "../test_folder_name.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

constexpr int kDialog = 900;
constexpr int kPlace = 1023;
constexpr int kOtherPlace = 1024;
constexpr int kMissingPlace = 1099;

// The window the pictures sit on: passes picks on and records what it got.
class Parent : public Window {
public:
    using Window::Window;
    std::vector<PortPicture*> pictures;
    std::vector<Message> received;

    intptr_t on_message(const Message& m) override
    {
        received.push_back(m);
        if (m.id == UWM_CONTROL_CLICK)
            for (PortPicture* p : pictures)
                if (p->on_control_click(static_cast<int>(m.wparam)))
                    return 1;
        return Window::on_message(m);
    }
};

struct PortPictures : ::testing::Test {
    resources::Resources res;
    HeadlessBackend backend;
    std::unique_ptr<Ui> ui;
    AppState state;
    shelltest::FakeLibrary device;
    std::unique_ptr<DeviceGate> gate;
    std::unique_ptr<ShellContext> shell;
    std::unique_ptr<Parent> parent;
    std::string dir;

    void SetUp() override
    {
        resources::DialogTemplate t{kDialog, 200, 100, "pictures", 0, "", {}};
        t.controls = {{resources::ControlKind::Placeholder, kPlace, {4, 4, 42, 21}, "", 0, 0},
                      {resources::ControlKind::Placeholder, kOtherPlace, {50, 4, 42, 21}, "", 0, 0}};
        res.dialogs.add(t);
        ui = std::make_unique<Ui>(backend, res);
        gate = std::make_unique<DeviceGate>(state, device.call());
        shell = std::make_unique<ShellContext>(ShellContext{*ui, state, *gate});
        dir = (std::filesystem::temp_directory_path() / test_folder_name("quillon-portpic-")).string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        state.defaultProfilePath = dir + "/default.pro";
        state.chosenProfilePath = dir + "/chosen.pro";
        parent = std::make_unique<Parent>(*ui, nullptr);
        parent->create(kDialog, WindowRole::Modeless);
    }
    void TearDown() override
    {
        parent.reset();
        std::filesystem::remove_all(dir);
    }

    std::unique_ptr<PortPicture> make(int place, int portIndex, PortPictureKind kind, bool enabled = true)
    {
        auto p = std::make_unique<PortPicture>(*shell, *parent, place, portIndex, kind, PortPicture::Look{enabled, true});
        parent->pictures.push_back(p.get());
        return p;
    }
    const HeadlessBackend::ControlState& control(int id) const { return *backend.control(*parent, id); }
    void write(const std::string& path, const std::string& text) const { std::ofstream(path) << text; }
    int stored(const std::string& path, const std::string& key) const
    {
        return profile::read_int(path, "MSN_DIV", key, -1);
    }
};

} // namespace

TEST_F(PortPictures, ReplaceTheirPlaceholderAndShowTheChoiceOfTheDefaultProfile)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nPORTIDX2=7\nPORTIDX5=3\n");
    auto analogue = make(kPlace, 2, PortPictureKind::Analogue);
    auto data = make(kOtherPlace, 5, PortPictureKind::DataPort);

    EXPECT_EQ(control(kPlace).kind, resources::ControlKind::PortPicture);
    EXPECT_EQ(control(kPlace).text, "0") << "the widget learns its kind from the text";
    EXPECT_EQ(control(kOtherPlace).text, "1");
    ASSERT_EQ(control(kPlace).items.size(), 15u);
    EXPECT_EQ(control(kPlace).items.front(), "300:en");
    EXPECT_EQ(control(kPlace).items.back(), "314:en");
    ASSERT_EQ(control(kOtherPlace).items.size(), 6u);
    EXPECT_EQ(control(kOtherPlace).items.back(), "320:en");
    EXPECT_EQ(analogue->selected(), 7);
    EXPECT_EQ(control(kPlace).selection, 7);
    EXPECT_EQ(data->selected(), 3);
}

TEST_F(PortPictures, ChoicesOutsideTheRangeShowPictureZero)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nPORTIDX0=99\nPORTIDX1=-1\nPORTIDX5=6\n");
    EXPECT_EQ(make(kPlace, 0, PortPictureKind::Analogue)->selected(), 0);
    EXPECT_EQ(make(kOtherPlace, 1, PortPictureKind::Analogue)->selected(), 0);
    EXPECT_EQ(make(kMissingPlace, 5, PortPictureKind::DataPort)->selected(), 0) << "the data port has six pictures";
}

TEST_F(PortPictures, APickIsWrittenAtOnceAndOtherPagesShowItOnRefresh)
{
    auto editable = make(kPlace, 3, PortPictureKind::Analogue);
    auto shown = make(kOtherPlace, 3, PortPictureKind::AnalogueWithMarker, false);

    backend.choose(*parent, kPlace, 10);
    EXPECT_EQ(editable->selected(), 10);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX3"), 10);
    EXPECT_FALSE(std::filesystem::exists(state.chosenProfilePath));

    backend.choose(*parent, kOtherPlace, 2);
    EXPECT_EQ(shown->selected(), 0) << "a display-only picture offers no menu";
    ui->send(*shown, UWM_PORTPIC_REFRESH);
    EXPECT_EQ(shown->selected(), 10);
    EXPECT_EQ(control(kOtherPlace).selection, 10);
    EXPECT_FALSE(control(kOtherPlace).enabled);
}

TEST_F(PortPictures, ProfilesRoundTripThroughTheChosenFile)
{
    auto picture = make(kPlace, 4, PortPictureKind::Analogue);
    picture->select(12);
    ui->send(*picture, UWM_SAVE_PROFILE, 1);
    EXPECT_EQ(stored(state.chosenProfilePath, "PORTIDX4"), 12);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX4"), -1) << "only the chosen file";

    write(state.chosenProfilePath, "[MSN_DIV]\nPORTIDX4=5\n");
    ui->send(*picture, UWM_LOAD_PROFILE, 1);
    EXPECT_EQ(picture->selected(), 5);
    write(state.chosenProfilePath, "[OTHER]\n");
    ui->send(*picture, UWM_LOAD_PROFILE, 1);
    EXPECT_EQ(picture->selected(), 0) << "a profile without the key: picture 0";
    ui->send(*picture, UWM_SAVE_PROFILE, 0);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX4"), 0);
}

TEST_F(PortPictures, ALanguageChangeRebuildsTheMenuAndKeepsTheChoice)
{
    auto picture = make(kPlace, 0, PortPictureKind::DataPortWithMarker);
    auto language = make(kOtherPlace, 0, PortPictureKind::Language);
    picture->select(4);
    picture->set_busy(true);

    state.language = 2;
    ui->send(*picture, UWM_SET_LANGUAGE);
    ui->send(*language, UWM_SET_LANGUAGE);
    EXPECT_EQ(control(kPlace).items.front(), "315:fr");
    EXPECT_EQ(control(kPlace).selection, 4);
    EXPECT_EQ(control(kPlace).check, 1) << "the busy marker stays";
    EXPECT_EQ(control(kOtherPlace).items, (std::vector<std::string>{"344", "345"}));

    state.language = 7;  // from a hand-edited profile
    ui->send(*picture, UWM_SET_LANGUAGE);
    EXPECT_EQ(control(kPlace).items.front(), "315:en");
}

TEST_F(PortPictures, TheLanguageChoiceTellsItsParentAndWritesNothing)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nPORTIDX0=1\n");
    auto language = make(kPlace, 0, PortPictureKind::Language);
    EXPECT_EQ(language->selected(), 0) << "it does not read a port's choice";

    backend.choose(*parent, kPlace, 1);
    ASSERT_FALSE(parent->received.empty());
    EXPECT_EQ(parent->received.back().id, UWM_SET_LANGUAGE);
    EXPECT_EQ(parent->received.back().wparam, 1u);
    EXPECT_EQ(language->selected(), 1);

    ui->send(*language, UWM_SAVE_PROFILE, 0);
    ui->send(*language, UWM_LOAD_PROFILE, 0);
    EXPECT_EQ(language->selected(), 1);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX0"), 1) << "the port's choice is untouched";
}

TEST_F(PortPictures, WithoutAPlaceholderOrAPortThereIsNothingToShowOrStore)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nPORTIDX5=2\n");
    auto unplaced = make(kMissingPlace, 5, PortPictureKind::DataPort);
    EXPECT_FALSE(parent->has_control(kMissingPlace));
    EXPECT_EQ(unplaced->selected(), 2) << "the choice is still known";

    auto portless = make(kPlace, 9, PortPictureKind::Analogue);
    EXPECT_EQ(portless->profile_key(), "");
    backend.choose(*parent, kPlace, 3);
    EXPECT_EQ(portless->selected(), 3);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX9"), -1);
}
