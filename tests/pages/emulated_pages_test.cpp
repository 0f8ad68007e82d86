// The MSN page and the profiles on the emulated device: what is sent is what
// the device keeps.
#include "emulated_program.h"

#include "dialog_ids/msn_ids.h"
#include "pages/msn_page.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

constexpr int kFirstMsnEdit = dialog_ids::msn::kPort11Msn1Edit;

struct MsnOnDevice : pagestest::EmulatedProgram {};

} // namespace

TEST_F(MsnOnDevice, AnMsnSentIsWhatTheDeviceKeepsAndAProfileRestoresIt)
{
    start();
    Page& page = show_page(0);
    backend.type(page, kFirstMsnEdit, "4711");
    backend.click(page, ID_SEND);
    EXPECT_TRUE(backend.message_boxes().empty());
    EXPECT_EQ(state().portMsns[0].msn[0], "4711");

    const std::string file = configDir + "/round.pro";
    save_profile_as(file);

    backend.type(page, kFirstMsnEdit, "999");
    backend.click(page, ID_SEND);
    ASSERT_EQ(state().portMsns[0].msn[0], "999");

    load_profile(file);
    EXPECT_EQ(state().portMsns[0].msn[0], "4711");
    // What the device itself answers now.
    DrvCmd r{};
    r.port = 11;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_MSN, &r), 0);
    EXPECT_STREQ(r.str, "4711");
}

TEST_F(MsnOnDevice, ARefusedMsnStaysUnsentAndIsNamed)
{
    q30sim::DeviceOptions options;
    options.rejectPrefixes = {"AT!P0#11*0="};
    start(options);
    Page& page = show_page(0);
    backend.type(page, kFirstMsnEdit, "4711");
    backend.click(page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(backend.message_boxes()[0].text.find("Port 11: MSN 1"), std::string::npos)
        << backend.message_boxes()[0].text;
    EXPECT_NE(state().portMsns[0].msn[0], "4711");
}
