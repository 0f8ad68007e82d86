// The least cost routing page on the emulated device: what it reads and
// sends, the corrections before a send, its checks while typing, the
// provider names in the default profile, profiles and the Q20.
#include "emulated_program.h"

#include <fstream>
#include <sstream>

#include "pages/lcr_page.h"
#include "profile/ini_file.h"
#include "profile/profile_keys.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::lcr;

namespace {

constexpr int kPage = 6;
constexpr std::size_t kEverySet = 1 + 2 * (6 * 4 + 8 * 2);  // the switch, then both groups' rows and ranges

struct LcrOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        page = &show_page(kPage);
    }
    static q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    LcrPage& lcr() { return static_cast<LcrPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    void send() { backend.click(*page, ID_SEND); }
    // The LCR set commands since `from`.
    std::vector<std::string> sets_since(std::size_t from)
    {
        std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const char* prefix : {"AT&P", "AT\\D", "AT\\P", "AT&L", "AT&R", "AT\\N", "AT&N"})
                if (all[i].rfind(prefix, 0) == 0 && all[i].find('=') != std::string::npos)
                    out.push_back(all[i]);
        return out;
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
    std::vector<std::string> messages_since(std::size_t from) const
    {
        std::vector<std::string> out;
        for (std::size_t i = from; i < backend.message_boxes().size(); ++i)
            out.push_back(backend.message_boxes()[i].text);
        return out;
    }
    std::string text_of(int id) const { return ui->text(id); }
    std::string saved(const std::string& file, const std::string& key) const
    {
        return profile::read_string(file, "LCR_DIV", key, "<missing>");
    }
    std::string default_profile() const { return configDir + "/" + profile::kDefaultProfileName; }
};

} // namespace

TEST_F(LcrOnDevice, TheFirstShowReadsBothGroupsAndNamesTheProviders)
{
    open(seeded());
    EXPECT_EQ(page->check(kLcrActiveBox), 1);
    EXPECT_EQ(page->check(kMonFriRadio), 1);
    EXPECT_EQ(shown(kRow0FromEdit) + "-" + shown(kRow0TillEdit), "00-08");
    EXPECT_EQ(shown(kRow1PredialEdit), "01070");
    EXPECT_EQ(shown(kRow1ProviderEdit), "Arcor");
    EXPECT_EQ(page->check(kRow0LocalBox), 1);
    EXPECT_EQ(page->check(kRow3ActiveBox), 0);
    EXPECT_EQ(shown(kRow4FromEdit), "");
    EXPECT_EQ(shown(kRange1FirstEdit) + "-" + shown(kRange1LastEdit), "0800-0800");
    EXPECT_EQ(page->check(kRange2ActiveBox), 0);
    EXPECT_EQ(backend.state(*page)->focus, kLcrActiveBox);
    EXPECT_EQ(saved(default_profile(), "PROVIDERM1"), "Arcor") << "a name found in the list is kept at once";

    backend.click(*page, kSatSunRadio);
    EXPECT_EQ(page->check(kMonFriRadio), 0);
    EXPECT_EQ(shown(kRow1PredialEdit), "010012");
    EXPECT_EQ(shown(kRow1ProviderEdit), "Provider") << "a predial in no list entry";
    EXPECT_EQ(shown(kRange0FirstEdit), "0130");
    EXPECT_EQ(shown(kRange1FirstEdit), "");

    const auto commands = device_commands();
    auto where = [&](const std::string& line) { return std::find(commands.begin(), commands.end(), line); };
    ASSERT_NE(where("AT&P?"), commands.end());
    EXPECT_LT(where("AT&P?"), where("AT\\D00?"));
    EXPECT_LT(where("AT&R05?"), where("AT\\N00?")) << "a group's rows before its ranges";
    EXPECT_LT(where("AT&N07?"), where("AT\\D10?")) << "the working days before the weekend";
}

// Names are the user's, kept in the default profile as Windows wrote it;
// a name whose row has no predial goes.
TEST_F(LcrOnDevice, NamesFromTheDefaultProfileWinOverTheList)
{
    std::ofstream(configDir + "/" + profile::kDefaultProfileName, std::ios::binary)
        << "[LCR_DIV]\r\nPROVIDERM1=D\xfcsseldorf Tel\r\nPROVIDERM5=Ghost\r\n";
    open(seeded());
    EXPECT_EQ(shown(kRow1ProviderEdit), "Düsseldorf Tel");
    EXPECT_EQ(shown(kRow5ProviderEdit), "");
    EXPECT_EQ(saved(default_profile(), "PROVIDERM5"), "");
    EXPECT_EQ(saved(default_profile(), "PROVIDERM1"), "Düsseldorf Tel");
}

TEST_F(LcrOnDevice, SendPutsOnlyWhatChangedOnTheDeviceInOrder)
{
    open(seeded());
    backend.click(*page, kSatSunRadio);
    type(kRow1PredialEdit, "01070");
    backend.click(*page, kMonFriRadio);
    type(kRange3FirstEdit, "0190");
    type(kRange3LastEdit, "0190");
    backend.click(*page, kRow3ActiveBox);
    backend.click(*page, kLcrActiveBox);
    const std::size_t before = device_commands().size();
    send();
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(sets_since(before),
              (std::vector<std::string>{"AT&P=0", "AT&R03=1", "AT\\N03=0190-0190", "AT\\P11=01070"}));
    EXPECT_EQ(device_setting("\\N03"), "0190-0190");
    EXPECT_EQ(device_setting("\\P11"), "01070");
    EXPECT_EQ(saved(default_profile(), "EPNTOM3"), "0190") << "the section is saved after a send";
    EXPECT_EQ(saved(default_profile(), "LCRACT"), "0");
    EXPECT_TRUE(page->leave_check());
    EXPECT_TRUE(backend.modals().empty()) << "nothing is left to send";
}

TEST_F(LcrOnDevice, TheTableIsCorrectedBeforeItIsSent)
{
    open();
    // Typed out of order: the rows change places and both go.
    type(kRow0FromEdit, "12");
    type(kRow0TillEdit, "18");
    type(kRow0PredialEdit, "01033");
    backend.leave(*page, kRow0PredialEdit);
    type(kRow1FromEdit, "8");
    type(kRow1TillEdit, "12");
    type(kRow1PredialEdit, "01070");
    type(kRow1ProviderEdit, "Arcor");
    send();
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(shown(kRow0PredialEdit), "01070");
    EXPECT_EQ(shown(kRow1ProviderEdit), "Provider");
    EXPECT_EQ(device_setting("\\D00"), "08-12");
    EXPECT_EQ(device_setting("\\D01"), "12-18");

    // A period into another's hours: every time goes back, nothing new reaches the device.
    std::size_t boxes = backend.message_boxes().size();
    std::size_t before = device_commands().size();
    type(kRow2FromEdit, "10");
    type(kRow2TillEdit, "14");
    type(kRow2PredialEdit, "01019");
    type(kRow2ProviderEdit, "MobilCom");
    type(kRow0TillEdit, "11");
    send();
    EXPECT_EQ(messages_since(boxes), std::vector<std::string>{text_of(lcr_ids::kOverlapMessage)});
    EXPECT_EQ(shown(kRow0TillEdit), "12");
    EXPECT_EQ(shown(kRow2FromEdit) + shown(kRow2PredialEdit), "");
    EXPECT_TRUE(sets_since(before).empty());

    // A predial alone: the row is cleared and told, the rest still goes.
    boxes = backend.message_boxes().size();
    type(kRow4PredialEdit, "01050");
    type(kRange0FirstEdit, "0130");
    type(kRange0LastEdit, "0130");
    send();
    EXPECT_EQ(messages_since(boxes), std::vector<std::string>{text_of(lcr_ids::kIncompleteRowMessage)});
    EXPECT_EQ(shown(kRow4PredialEdit), "");
    EXPECT_EQ(device_setting("\\P04"), "");
    EXPECT_EQ(device_setting("\\N00"), "0130-0130");

    // Numbers of different lengths: nothing at all is sent, the edits stay.
    boxes = backend.message_boxes().size();
    before = device_commands().size();
    type(kRange1FirstEdit, "0130");
    type(kRange1LastEdit, "01300");
    backend.click(*page, kLcrActiveBox);
    send();
    EXPECT_EQ(messages_since(boxes), std::vector<std::string>{text_of(lcr_ids::kRangeMessage)});
    EXPECT_TRUE(sets_since(before).empty());
    EXPECT_TRUE(lcr().activated().changed());
    EXPECT_EQ(lcr().range(0, 1).last, "01300");
}

// Unlike the page's first form, a value is confirmed only when the device
// answered "OK": a refused one is named, stays changed and is offered again.
TEST_F(LcrOnDevice, ARefusedValueStaysUnsentAndIsOfferedAgain)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT\\P02="};
    open(options);
    type(kRow2PredialEdit, "01070");
    type(kRow2ProviderEdit, "Arcor");
    send();
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(message(0).find("Mon-Fri 3.: Pre-dial nb"), std::string::npos) << message(0);
    EXPECT_EQ(device_setting("\\P02"), "01033");
    EXPECT_EQ(lcr().row(0, 2).predial, "01070");
    EXPECT_EQ(lcr().row(0, 2, true).provider, "Arcor") << "names are the PC's and always kept";

    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 1);
    EXPECT_EQ(state().currentPage, 0);
    EXPECT_EQ(lcr().row(0, 2).predial, "01033");
}

// The page's first form forgot such edits after a send that reached no
// device; they stay changed, and leaving offers them again.
TEST_F(LcrOnDevice, WithoutTheDeviceEverythingReadsEmptyAndEditsStay)
{
    std::ofstream(default_profile()) << "[LCR_DIV]\nPROVIDERM0=Kept Name\n";
    start(seeded());
    state().linkUp = false;
    page = &show_page(kPage);
    EXPECT_EQ(page->check(kLcrActiveBox), 0);
    EXPECT_EQ(shown(kRow0FromEdit) + shown(kRow0PredialEdit) + shown(kRow0ProviderEdit) + shown(kRange0FirstEdit), "");
    EXPECT_EQ(saved(default_profile(), "PROVIDERM0"), "Kept Name") << "an unread predial takes no name away";
    type(kRow0FromEdit, "0");
    type(kRow0TillEdit, "24");
    type(kRow0PredialEdit, "01070");
    type(kRow0ProviderEdit, "Arcor");
    send();
    EXPECT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(leave_for_first_page(ID_STAY), 1);
    EXPECT_EQ(state().currentPage, kPage);
    EXPECT_EQ(shown(kRow0TillEdit), "24");
}

TEST_F(LcrOnDevice, TypingRefusesWhatCannotBeAnHourPredialOrRangeNumber)
{
    open(seeded());
    auto refused = [&](int id, const std::string& typed, int message, const std::string& shownAfter) {
        const std::size_t boxes = backend.message_boxes().size();
        type(id, typed);
        EXPECT_EQ(messages_since(boxes), std::vector<std::string>{text_of(message)}) << typed;
        EXPECT_EQ(shown(id), shownAfter) << typed;
        EXPECT_EQ(backend.state(*page)->focus, id) << typed;
    };
    type(kRow4TillEdit, "22");
    refused(kRow0FromEdit, "24", lcr_ids::kHourMessage, "0");
    refused(kRow1TillEdit, "25", lcr_ids::kHourMessage, "18");
    refused(kRow0PredialEdit, "01a", lcr_ids::kPredialMessage, "01013");
    refused(kRow2PredialEdit, "0103312", lcr_ids::kPredialMessage, "01033");
    refused(kRange4FirstEdit, "130", lcr_ids::kRangeMessage, "");
    refused(kRange0LastEdit, "013000", lcr_ids::kRangeMessage, "0130");
    EXPECT_EQ(shown(kRow4TillEdit), "22") << "other fields keep what was typed";

    const std::size_t boxes = backend.message_boxes().size();
    type(kRow4FromEdit, "7-");
    EXPECT_EQ(shown(kRow4FromEdit), "7");
    EXPECT_EQ(backend.state(*page)->focus, kRow4TillEdit) << "a dash moves on to the end of the period";
    type(kRow4PredialEdit, "01050");
    backend.press_key(*page, Key::Tab);
    EXPECT_EQ(shown(kRow4ProviderEdit), "Provider");
    EXPECT_EQ(backend.message_boxes().size(), boxes);
}

TEST_F(LcrOnDevice, AProfileRestoresTheDeviceAndSendsEveryRowAndRange)
{
    open(seeded());
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    EXPECT_EQ(saved(file, "LCRACT"), "1");
    EXPECT_EQ(saved(file, "LCPFRM_M1") + "-" + saved(file, "LCPTO_M1"), "08-18");
    EXPECT_EQ(saved(file, "PROVIDERS1"), "Provider");
    EXPECT_EQ(saved(file, "LOCALCALLM0") + saved(file, "ITEMACTM3") + saved(file, "EPNACTM2"), "100");
    EXPECT_EQ(saved(file, "EPNFRMS7"), "");
    std::stringstream whole;
    whole << std::ifstream(file).rdbuf();
    const std::string text = whole.str();
    EXPECT_LT(text.find("LCPTO_M5="), text.find("PREDIALM0="));
    EXPECT_LT(text.find("ITEMACTM5="), text.find("EPNFRMM0="));
    EXPECT_LT(text.find("EPNACTM7="), text.find("LCPFRM_S0=")) << "keys in the program's order";

    type(kRow1PredialEdit, "01013");
    type(kRow1ProviderEdit, "Tele2");
    backend.click(*page, kLcrActiveBox);
    send();
    ASSERT_EQ(device_setting("\\P01"), "01013");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(sets_since(before).size(), kEverySet) << "a load sends every row and range, used or not";
    EXPECT_EQ(device_setting("\\P01"), "01070");
    EXPECT_EQ(device_setting("&P"), "1");
    EXPECT_EQ(shown(kRow1ProviderEdit), "Arcor");
    EXPECT_EQ(saved(default_profile(), "PROVIDERM1"), "Arcor") << "the loaded names are kept";
}

// A profile written on Windows, with a range the device cannot take.
TEST_F(LcrOnDevice, AWindowsProfileLoadsAndWhatCannotGoIsNamed)
{
    open();
    const std::string file = configDir + "/windows.pro";
    std::ofstream(file, std::ios::binary) << "[LCR_DIV]\r\nLCRACT=1\r\nLCPFRM_M0=7\r\nLCPTO_M0=9\r\n"
                                             "PREDIALM0=01070\r\nPROVIDERM0=M\xfcnchen Tel\r\n"
                                             "EPNFRMS2=0130\r\nEPNTOS2=01\r\n";
    load_profile(file);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(message(0).find("EPNFRMS2"), std::string::npos) << message(0);
    EXPECT_EQ(device_setting("\\D00"), "07-09");
    EXPECT_EQ(device_setting("&P"), "1");
    EXPECT_EQ(shown(kRow0ProviderEdit), "München Tel");
    EXPECT_EQ(saved(default_profile(), "PROVIDERM0"), "München Tel");
}

TEST_F(LcrOnDevice, TheQ20HasTheSameTable)
{
    open(seeded(q30sim::Model::Q20));
    EXPECT_EQ(shown(kRow1ProviderEdit), "Arcor");
    type(kRow3FromEdit, "21");
    type(kRow3TillEdit, "23");
    send();
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("\\D03"), "21-23");
}

TEST_F(LcrOnDevice, EveryTextFollowsTheLanguage)
{
    open();
    const std::vector<std::array<std::string, 4>> texts = {
        {"LCR activated", "Sat-Sun", "Active", "Excluded phone numbers"},
        {"LCR aktiviert", "Sa-So", "Aktiv", "Ausgenommene Rufnummern"},
        {"LCR activé", "Sam-Dim", "Actif", "Numéros exclus"},
    };
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        const auto& want = texts[static_cast<std::size_t>(language)];
        EXPECT_EQ(shown(kLcrActiveBox), want[0]);
        EXPECT_EQ(shown(kSatSunRadio), want[1]);
        EXPECT_EQ(shown(kRange7ActiveBox), want[2]);
        EXPECT_EQ(shown(kRangesHeading), want[3]);
        EXPECT_FALSE(shown(kLocalHeading).empty());
        EXPECT_FALSE(shown(kActiveHeading).empty());
    }
    EXPECT_EQ(backend.state(*page)->caption, "Least Cost Routing -LCR-");
}
