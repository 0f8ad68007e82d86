// The call acceptance page on the emulated device: what it reads, sends and
// keeps in profiles, a device that refuses or says nothing, the Q20, the
// languages, and the data callback dialog it opens.
#include "emulated_program.h"

#include <algorithm>
#include <fstream>

#include "dialog_ids/data_callback_ids.h"
#include "pages/call_acceptance_page.h"
#include "profile/ini_file.h"
#include "shell/shell_ids.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::call_acceptance;

namespace {

constexpr int kPage = 1;
constexpr int kCallbackDialog = 823;       // small fonts

struct AcceptanceOnDevice : pagestest::EmulatedProgram {
    CallAcceptancePage* page = nullptr;

    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        page = &static_cast<CallAcceptancePage&>(show_page(kPage));
    }
    static q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions o;
        o.seed = true;
        o.model = model;
        return o;
    }
    int shown(int id) const { return page->selection(id); }
    const std::vector<std::string>& items(int id) const { return backend.control(*page, id)->items; }
    // The call acceptance commands the device received since `from`.
    std::vector<std::string> acceptance_commands(std::size_t from = 0)
    {
        const std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const char* prefix : {"AT!V", "AT!P1#", "AT!P6#", "AT!P9#", "AT!P2#", "AT!P8#"})
                if (all[i].rfind(prefix, 0) == 0)
                    out.push_back(all[i]);
        return out;
    }
    std::string profile_value(const std::string& file, const std::string& key) const
    {
        return profile::read_string(file, "ACCEP_DIV", key, "<missing>");
    }
};

std::vector<std::string> queries_for_ports(std::initializer_list<int> ports)
{
    std::vector<std::string> out{"AT!V0?", "AT!V3?"};
    for (int p : ports)
        for (const char* c : {"AT!P1#", "AT!P6#", "AT!P9#", "AT!P2#", "AT!P8#"})
            out.push_back(c + std::to_string(p) + "?");
    return out;
}

} // namespace

// --- Reading ----------------------------------------------------------------

TEST_F(AcceptanceOnDevice, TheFirstShowReadsEveryValueInOrderAndShowsNamesAndMsns)
{
    open(seeded());
    EXPECT_EQ(acceptance_commands(), queries_for_ports({11, 21, 22, 31, 32}));
    EXPECT_EQ(page->focus(), kPort11CallWaitingBox);

    // The seeded device: data calls to own MSNs, SoftFax calls all.
    EXPECT_EQ(shown(kDataAcceptSelector), 1);
    EXPECT_EQ(shown(kSoftFaxAcceptSelector), 2);
    EXPECT_EQ(shown(kPort11AcceptSelector), 1);
    EXPECT_EQ(shown(kPort11CallerIdSelector), 1);
    EXPECT_EQ(page->check(kPort11CallWaitingBox), 1);
    EXPECT_EQ(page->check(kPort11LowerVolumeBox), 0) << "the device's switch 1 is normal volume";
    EXPECT_EQ(shown(kPort21AcceptSelector), 2);
    EXPECT_EQ(shown(kPort21CallerIdSelector), 2);
    EXPECT_EQ(shown(kPort21RingSelector), 2);
    EXPECT_EQ(page->check(kPort21CallWaitingBox), 0);
    EXPECT_EQ(page->check(kPort21LowerVolumeBox), 1) << "the device's switch 0 is lower volume";
    EXPECT_EQ(shown(kPort22RingSelector), 4);
    EXPECT_EQ(shown(kPort31AcceptSelector), 0);
    EXPECT_EQ(shown(kPort32RingSelector), 6);
    EXPECT_FALSE(page->changed());

    // Names and MSNs as the MSN page keeps them; the closed caller-ID selector shows the short text.
    EXPECT_EQ(page->text(kPort11Alias), "\"11\"");
    EXPECT_EQ(page->text(kDataAlias), "\"data\"");
    EXPECT_EQ(items(kPort11MsnList), (std::vector<std::string>{"4711001", "4711002"}));
    EXPECT_EQ(items(kPort21MsnList), (std::vector<std::string>{"4711003"}));
    EXPECT_EQ(items(kDataMsnList), (std::vector<std::string>{"4711007", "4711008"}));
    EXPECT_EQ(items(kSoftFaxMsnList), (std::vector<std::string>{"4711009"}));
    EXPECT_EQ(backend.control(*page, kPort11CallerIdSelector)->shownItems.at(1), "(FSK)Send.....");
    EXPECT_EQ(items(kPort11CallerIdSelector).at(1), "(FSK)Send Phone Number");
    EXPECT_EQ(items(kPort11RingSelector).size(), 10u);

    // A name changed on the MSN page shows when the page is shown again, without reading the device.
    state().portAliases[1] = "Kitchen";
    show_page(0);
    const std::size_t before = device_commands().size();
    show_page(kPage);
    EXPECT_EQ(page->text(kPort21Alias), "Kitchen");
    EXPECT_TRUE(acceptance_commands(before).empty());
}

// --- Sending ------------------------------------------------------------------

TEST_F(AcceptanceOnDevice, OnlyTheChangedValuesGoOutInTheDevicesOrderAndTheDeviceKeepsThem)
{
    open(seeded());
    const std::size_t before = device_commands().size();
    backend.choose(*page, kPort21RingSelector, 5);
    backend.click(*page, kPort11LowerVolumeBox);   // lower volume on: the device's switch 0
    backend.click(*page, kPort21LowerVolumeBox);   // lower volume off: the device's switch 1
    backend.choose(*page, kSoftFaxAcceptSelector, 0);
    backend.choose(*page, kPort11CallerIdSelector, 2);
    backend.choose(*page, kPort22AcceptSelector, 1);  // as it was: not sent
    backend.click(*page, ID_SEND);

    EXPECT_EQ(acceptance_commands(before), (std::vector<std::string>{"AT!V3=0", "AT!P6#11=2", "AT!P8#11=0",
                                                                      "AT!P9#21=5", "AT!P8#21=1"}));
    EXPECT_TRUE(backend.message_boxes().empty());
    EXPECT_EQ(device_setting("!V3"), "0");
    EXPECT_EQ(device_setting("!P6#11"), "2");
    EXPECT_EQ(device_setting("!P8#11"), "0");
    EXPECT_EQ(device_setting("!P9#21"), "5");
    EXPECT_EQ(device_setting("!P8#21"), "1");
    EXPECT_FALSE(page->changed());

    // A second Send has nothing to send.
    const std::size_t after = device_commands().size();
    backend.click(*page, ID_SEND);
    EXPECT_TRUE(acceptance_commands(after).empty());
}

TEST_F(AcceptanceOnDevice, ARefusedValueStaysUnsentIsNamedAndTheLeaveCheckOffersItAgain)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P9#11="};
    open(options);
    backend.choose(*page, kPort11RingSelector, 3);
    backend.choose(*page, kPort11CallerIdSelector, 0);
    backend.click(*page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(backend.message_boxes()[0].text.find("Port 11: Rings"), std::string::npos)
        << backend.message_boxes()[0].text;
    EXPECT_EQ(device_setting("!P6#11"), "0") << "the other value was taken";
    EXPECT_EQ(device_setting("!P9#11"), "0");
    EXPECT_EQ(page->port(0).ringDelay.confirmed(), 0);
    EXPECT_EQ(shown(kPort11RingSelector), 3) << "the edit stays on the page";

    // Leaving: the discard dialog; Cancel stays, Send tries again, Discard puts the device's value back.
    EXPECT_EQ(leave_for_first_page(ID_STAY), 1);
    EXPECT_EQ(backend.shown_page(), page);

    const std::size_t before = device_commands().size();
    EXPECT_EQ(leave_for_first_page(ID_SEND), 1);
    EXPECT_EQ(acceptance_commands(before), (std::vector<std::string>{"AT!P9#11=3"}));

    show_page(kPage);
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 1);
    EXPECT_EQ(shown(kPort11RingSelector), 0);
    EXPECT_FALSE(page->changed());
}

TEST_F(AcceptanceOnDevice, ASilentDeviceReadsAsZeroAndKeepsTheEditsUnsent)
{
    // How many commands the start takes, so that the device falls silent right
    // after it. The Q20 has fewer values to wait for.
    start(seeded(q30sim::Model::Q20));
    const int startCommands = static_cast<int>(device_commands().size());
    app.reset();
    DrvCmd none{};
    D_SendDrvCmd(q30::DRV_CLOSE, &none);
    server->stop();

    q30sim::DeviceOptions options = seeded(q30sim::Model::Q20);
    options.silentAfter = startCommands;
    open(options);
    for (int p = 0; p < page->port_count(); ++p) {
        const PortCallSettings& s = page->port(p);
        EXPECT_EQ(s.acceptance.confirmed() + s.callerId.confirmed() + s.ringDelay.confirmed() +
                      s.callWaiting.confirmed() + s.lowerVolume.confirmed(),
                  0)
            << "port index " << p;
    }
    EXPECT_EQ(page->check(kPort21LowerVolumeBox), 0) << "a failed read shows lower volume off";
    EXPECT_EQ(shown(kDataAcceptSelector), 0);

    backend.choose(*page, kPort11AcceptSelector, 2);
    backend.click(*page, ID_SEND);
    EXPECT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(page->port(0).acceptance.confirmed(), 0);
    EXPECT_TRUE(page->changed());
}

// --- Profiles -----------------------------------------------------------------

TEST_F(AcceptanceOnDevice, AProfileSavedThenLoadedRestoresTheDevice)
{
    open(seeded());
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    EXPECT_EQ(profile_value(file, "ACCEPDTAA"), "1");
    EXPECT_EQ(profile_value(file, "ACCEPDTAB"), "2");
    EXPECT_EQ(profile_value(file, "ACCEPCALL0"), "1");
    EXPECT_EQ(profile_value(file, "SHOWID1"), "2");
    EXPECT_EQ(profile_value(file, "DELAYRING4"), "6");
    EXPECT_EQ(profile_value(file, "CALLWAIT1"), "0");
    EXPECT_EQ(profile_value(file, "LOWVOL1"), "1");
    EXPECT_EQ(profile_value(file, "LOWVOL0"), "0");

    // The keys in their order: the data port's two, then each kind for every port.
    std::ifstream in(file);
    std::vector<std::string> keys;
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inSection = line == "[ACCEP_DIV]";
        else if (inSection && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
    }
    ASSERT_EQ(keys.size(), 27u);
    EXPECT_EQ(keys[0], "ACCEPDTAA");
    EXPECT_EQ(keys[1], "ACCEPDTAB");
    EXPECT_EQ(keys[2], "ACCEPCALL0");
    EXPECT_EQ(keys[7], "SHOWID0");
    EXPECT_EQ(keys[26], "LOWVOL4");

    backend.choose(*page, kPort21RingSelector, 9);
    backend.click(*page, kPort11CallWaitingBox);
    backend.choose(*page, kDataAcceptSelector, 0);
    backend.click(*page, ID_SEND);
    ASSERT_EQ(device_setting("!P9#21"), "9");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_EQ(acceptance_commands(before), (std::vector<std::string>{"AT!V0=1", "AT!P2#11=1", "AT!P9#21=2"}))
        << "only the values that differ from the device go out";
    EXPECT_EQ(device_setting("!P9#21"), "2");
    EXPECT_EQ(device_setting("!P2#11"), "1");
    EXPECT_EQ(device_setting("!V0"), "1");
    EXPECT_EQ(shown(kPort21RingSelector), 2);
    EXPECT_FALSE(page->changed());
}

TEST_F(AcceptanceOnDevice, AWindowsProfileLoadsAndBadNumbersAreNamedNotSent)
{
    open(seeded());
    // CRLF line ends; a section lacking keys reads them as 0.
    const std::string file = configDir + "/windows.pro";
    std::ofstream(file, std::ios::binary) << "[ACCEP_DIV]\r\nACCEPDTAA=2\r\nACCEPCALL0=7\r\nSHOWID0=-1\r\n"
                                             "DELAYRING0=8\r\nCALLWAIT0=5\r\nLOWVOL0=1\r\n";
    const std::size_t before = device_commands().size();
    load_profile(file);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    const std::string& told = backend.message_boxes()[0].text;
    EXPECT_NE(told.find("ACCEPCALL0"), std::string::npos) << told;
    EXPECT_NE(told.find("SHOWID0"), std::string::npos) << told;
    EXPECT_EQ(device_setting("!V0"), "2");
    EXPECT_EQ(device_setting("!P1#11"), "1") << "7 is no acceptance mode";
    EXPECT_EQ(device_setting("!P9#11"), "8");
    EXPECT_EQ(device_setting("!P8#11"), "0") << "LOWVOL 1 is the device's switch 0";
    EXPECT_EQ(device_setting("!P1#21"), "0") << "a missing key is 0: no calls";
    const std::vector<std::string> sent = acceptance_commands(before);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT!P1#11=7"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT!P2#11=1"), 0) << "CALLWAIT 5 is on, as the device had it";
}

// --- The Q20 ------------------------------------------------------------------

TEST_F(AcceptanceOnDevice, TheQ20ReadsSendsAndKeepsOnlyPorts11To22)
{
    open(seeded(q30sim::Model::Q20));
    EXPECT_EQ(backend.state(*page)->templateId, 829);
    EXPECT_EQ(page->port_count(), 3);
    EXPECT_EQ(acceptance_commands(), queries_for_ports({11, 21, 22}));
    for (int id : {kPort31Alias, kPort32Alias, kPort31MsnList, kPort32MsnList, kPort31AcceptSelector,
                   kPort32CallerIdSelector, kPort31RingSelector, kPort32CallWaitingBox, kPort31LowerVolumeBox,
                   kPort31PicturePlace, kPort32PicturePlace})
        EXPECT_FALSE(page->visible(id)) << id;
    EXPECT_TRUE(page->visible(kPort22RingSelector));
    EXPECT_TRUE(page->visible(kSoftFaxAcceptSelector));

    const std::string file = configDir + "/q20.pro";
    save_profile_as(file);
    EXPECT_EQ(profile_value(file, "ACCEPCALL2"), "1");
    for (const char* key : {"ACCEPCALL3", "SHOWID4", "DELAYRING3", "CALLWAIT4", "LOWVOL3"})
        EXPECT_EQ(profile_value(file, key), "<missing>") << key;

    std::ofstream(file, std::ios::app) << "[ACCEP_DIV]\nACCEPCALL3=1\nDELAYRING4=3\n";
    const std::size_t before = device_commands().size();
    load_profile(file);
    for (const std::string& c : acceptance_commands(before))
        EXPECT_TRUE(c.find("#31") == std::string::npos && c.find("#32") == std::string::npos) << c;
}

// --- Languages ------------------------------------------------------------------

TEST_F(AcceptanceOnDevice, ALanguageChangeRelabelsTheBoxesAndSelectorsAndKeepsTheChoices)
{
    open(seeded());
    EXPECT_EQ(page->text(kPort11CallWaitingBox), "Call waiting");
    EXPECT_EQ(page->text(kCallBackButton), "Call back");
    backend.choose(*page, kPort21RingSelector, 7);
    state().language = 2;
    ui->send(*page, UWM_SET_LANGUAGE);
    EXPECT_EQ(page->text(kPort11LowerVolumeBox), "Sonnerie réduite");
    EXPECT_EQ(page->text(kCallBackButton), "Rappel");
    EXPECT_EQ(items(kPort21RingSelector).front(), "0 x Sonner");
    EXPECT_EQ(items(kPort11AcceptSelector).back(), "Tous les appels");
    EXPECT_EQ(shown(kPort21RingSelector), 7) << "the unsent choice stays";
    state().language = 1;
    ui->send(*page, UWM_SET_LANGUAGE);
    EXPECT_EQ(page->text(kPort11CallWaitingBox), "Anklopfen");
    EXPECT_EQ(backend.control(*page, kPort11CallerIdSelector)->shownItems.at(0), "keine Ruf.....");
}

// --- Call back ------------------------------------------------------------------

TEST_F(AcceptanceOnDevice, CallBackOpensTheCallbackDialogOnTheHeldValuesWithoutReadingTheDevice)
{
    open(seeded());
    main().callback_settings().active = true;
    main().callback_settings().numbers[2] = "0301111";
    bool opened = false;
    backend.on_modal(kCallbackDialog, [&](Window& d) {
        opened = true;
        EXPECT_EQ(d.check(dialog_ids::data_callback::kSwitch), 1);
        EXPECT_EQ(d.text(dialog_ids::data_callback::kFirstNumber + 2), "0301111");
        backend.type(d, dialog_ids::data_callback::kFirstNumber + 4, "0402222");
        backend.click(d, ID_SEND);
        return 0;
    });
    const std::size_t before = device_commands().size();
    backend.click(*page, kCallBackButton);
    EXPECT_TRUE(opened);
    const std::vector<std::string> all = device_commands();
    const std::vector<std::string> during(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    EXPECT_EQ(during, (std::vector<std::string>{"AT\\B4=0402222"})) << "no read, only the changed number";
    EXPECT_EQ(device_setting("\\B4"), "0402222");
    EXPECT_EQ(main().callback_settings().numbers[4], "0402222");
}
