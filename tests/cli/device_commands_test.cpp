// quillon-cli's show, backup, restore, diff, verify and upgrade as a script
// runs them: the real program against an emulated device that this test
// serves and inspects.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "device.h"
#include "firmware_image.h"
#include "pages/page_table.h"
#include "platform/headless_backend.h"
#include "pty_server.h"
#include "q30com32/q30com32.h"
#include "shell/application.h"
#include "shell/shell_ids.h"
#include "../test_folder_name.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A JSON value at `at`, skipping it; false when the text is no JSON there.
// Just enough to tell that the commands write parsable documents.
bool skip_json(const std::string& s, std::size_t& at);

void skip_blanks(const std::string& s, std::size_t& at)
{
    while (at < s.size() && (s[at] == ' ' || s[at] == '\n' || s[at] == '\t' || s[at] == '\r'))
        ++at;
}

bool skip_json_string(const std::string& s, std::size_t& at)
{
    if (at >= s.size() || s[at] != '"')
        return false;
    for (++at; at < s.size(); ++at) {
        if (static_cast<unsigned char>(s[at]) < 0x20)
            return false;
        if (s[at] == '\\')
            ++at;
        else if (s[at] == '"')
            return ++at, true;
    }
    return false;
}

bool skip_json_list(const std::string& s, std::size_t& at, char close, bool keyed)
{
    ++at;
    skip_blanks(s, at);
    if (at < s.size() && s[at] == close)
        return ++at, true;
    for (;;) {
        skip_blanks(s, at);
        if (keyed) {
            if (!skip_json_string(s, at))
                return false;
            skip_blanks(s, at);
            if (at >= s.size() || s[at++] != ':')
                return false;
        }
        if (!skip_json(s, at))
            return false;
        skip_blanks(s, at);
        if (at < s.size() && s[at] == ',') {
            ++at;
            continue;
        }
        return at < s.size() && s[at++] == close;
    }
}

bool skip_json(const std::string& s, std::size_t& at)
{
    skip_blanks(s, at);
    if (at >= s.size())
        return false;
    if (s[at] == '{')
        return skip_json_list(s, at, '}', true);
    if (s[at] == '[')
        return skip_json_list(s, at, ']', false);
    if (s[at] == '"')
        return skip_json_string(s, at);
    for (const char* word : {"true", "false", "null"})
        if (s.compare(at, std::strlen(word), word) == 0)
            return at += std::strlen(word), true;
    return false;
}

bool is_json(const std::string& s)
{
    std::size_t at = 0;
    if (!skip_json(s, at))
        return false;
    skip_blanks(s, at);
    return at == s.size();
}

struct CliOnDevice : ::testing::Test {
    std::string dir;
    std::string configDir;
    std::unique_ptr<q30sim::Device> device;
    std::unique_ptr<q30sim::PtyServer> server;

    void SetUp() override
    {
        dir = (fs::temp_directory_path() / test_folder_name("quillon-cli-")).string();
        fs::remove_all(dir);
        configDir = dir + "/config/quillon";
        fs::create_directories(configDir);
        std::ofstream(configDir + "/quillon.ini") << "[Quillon]\nFirstRun=1\n";
        setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
        for (int n = 1; n <= 8; ++n)
            setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), (dir + "/absent").c_str(), 1);
    }
    void TearDown() override
    {
        if (server)
            server->stop();
        fs::remove_all(dir);
    }

    void start(q30sim::DeviceOptions options = {.seed = true})
    {
        device = std::make_unique<q30sim::Device>(options);
        server = std::make_unique<q30sim::PtyServer>(*device);
        std::string error;
        ASSERT_TRUE(server->start(error)) << error;
        setenv("Q30COM32_COM1", server->slave_path().c_str(), 1);
    }

    // quillon-cli with `args`, standard input empty.
    CliRun cli(const std::string& args)
    {
        const std::string errPath = dir + "/stderr";
        const std::string command = std::string(QUILLON_CLI) + " " + args + " </dev/null 2>" + errPath;
        CliRun r;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return r;
        std::array<char, 4096> buf;
        while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe))
            r.out.append(buf.data(), n);
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = read_file(errPath);
        return r;
    }
    std::string file(const std::string& name) { return dir + "/" + name; }

    std::vector<std::string> settings()
    {
        return server->with_device([](q30sim::Device& d) { return d.settings().as_command_lines(); });
    }
    // What the device answers for each register either list sets: a register
    // set back to its first value reads the same whether or not it is stored.
    std::map<std::string, std::string> register_values(const std::vector<std::string>& a,
                                                       const std::vector<std::string>& b)
    {
        std::map<std::string, std::string> values;
        for (const auto* lines : {&a, &b})
            for (const std::string& line : *lines) {
                const std::string key = line.substr(2, line.find('=') - 2);
                values[key] = server->with_device([&](q30sim::Device& d) { return d.setting(key); });
            }
        return values;
    }
    std::size_t command_count()
    {
        return server->with_device([](q30sim::Device& d) { return d.command_count(); });
    }
    std::vector<std::string> commands_seen()
    {
        return server->with_device([](q30sim::Device& d) { return d.commands_seen(); });
    }
    void replace_in_file(const std::string& path, const std::string& from, const std::string& to)
    {
        std::string text = read_file(path);
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(path, std::ios::binary) << text;
    }
};

TEST_F(CliOnDevice, BackupThenChangeThenRestoreBringsTheDeviceBack)
{
    start();
    const std::string saved = file("device.pro");
    CliRun backup = cli("backup " + saved);
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(backup.err, "") << "nothing but a terminal gets the counter";
    const std::vector<std::string> original = settings();

    CliRun same = cli("diff " + saved);
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(cli("raw DRV_MSN --port 21 --index 1 --op 1 --str 4711999").status, 0);
    ASSERT_EQ(cli("raw DRV_FILTER_NUMBER --port 22 --index 4 --op 1 --str 0899").status, 0);
    ASSERT_NE(settings(), original);

    CliRun changed = cli("diff " + saved + " --json");
    EXPECT_EQ(changed.status, 1) << changed.err;
    EXPECT_EQ(changed.out,
              "{\"equal\": false, \"differences\": [\n"
              "  {\"section\": \"MSN_DIV\", \"key\": \"AMSN11\", \"device\": \"4711999\", \"profile\": \"\"},\n"
              "  {\"section\": \"FILTER_DIV\", \"key\": \"FTRNUM24\", \"device\": \"0899\", \"profile\": \"\"}\n"
              "]}\n");
    EXPECT_TRUE(is_json(changed.out));
    CliRun changedText = cli("diff " + saved);
    EXPECT_TRUE(has(changedText.out, "MSN_DIV AMSN11: device \"4711999\", profile \"\"\n")) << changedText.out;

    CliRun restore = cli("restore " + saved);
    EXPECT_EQ(restore.status, 0) << restore.out << restore.err;
    const std::vector<std::string> restored = settings();
    const auto restoredValues = register_values(original, restored);
    for (const char* changedKey : {"!P0#21*1", "!P12#22*4"})
        EXPECT_EQ(server->with_device([&](q30sim::Device& d) { return d.setting(changedKey); }), "") << changedKey;
    for (const std::string& line : original)
        EXPECT_EQ(line.substr(line.find('=') + 1), restoredValues.at(line.substr(2, line.find('=') - 2))) << line;
    EXPECT_TRUE(has(commands_seen().back(), "&W")) << "the device stores what it took, as at the program's quit";

    CliRun verify = cli("verify " + saved);
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
    EXPECT_EQ(cli("diff " + saved).out, "");
}

TEST_F(CliOnDevice, DryRunListsTheCommandsAndSendsNone)
{
    start();
    const std::string saved = file("device.pro");
    ASSERT_EQ(cli("backup " + saved).status, 0);
    ASSERT_EQ(cli("raw DRV_MSN --port 21 --index 1 --op 1 --str 4711999").status, 0);
    const std::vector<std::string> changed = settings();
    const std::size_t before = command_count();

    CliRun dry = cli("restore --dry-run " + saved);
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(has(dry.out, "none was sent")) << dry.out;
    EXPECT_TRUE(has(dry.out, "  DRV_MSN port 21 index 1 op 1\n")) << dry.out;
    EXPECT_TRUE(has(dry.out, "  DRV_MSN port 11 index 0 op 1 str \"4711001\"\n")) << dry.out;
    EXPECT_EQ(settings(), changed);
    const std::vector<std::string> seen = commands_seen();
    const std::size_t during = command_count() - before;
    ASSERT_LE(during, seen.size());
    for (auto line = seen.end() - static_cast<long>(during); line != seen.end(); ++line)
        EXPECT_FALSE(has(*line, "=") || has(*line, "&W")) << *line;
}

TEST_F(CliOnDevice, VerifyNamesTheValueTheDeviceRefused)
{
    start({.seed = true, .rejectPrefixes = {"AT!P0#11*0="}});
    const std::string saved = file("device.pro");
    ASSERT_EQ(cli("backup " + saved).status, 0);
    replace_in_file(saved, "AMSN00=4711001", "AMSN00=4711555");

    CliRun restore = cli("restore " + saved);
    EXPECT_EQ(restore.status, 1);
    EXPECT_TRUE(has(restore.out, "These values of the profile did not reach the device:")) << restore.out;

    CliRun verify = cli("verify " + saved);
    EXPECT_EQ(verify.status, 1) << verify.err;
    EXPECT_EQ(verify.out, "the device does not hold 1 values of " + saved +
                              ":\nMSN_DIV AMSN00: device \"4711001\", profile \"4711555\"\n");
}

TEST_F(CliOnDevice, BackupIsTheFileSaveProfileAsWrites)
{
    start();
    const std::string fromProgram = file("program.pro");
    {
        // The program with its pages, headless, on the same device and configuration folder.
        // Port names and the sound switch come from the default profile into the saved one.
        std::ofstream(configDir + "/default.pro") << "[MSN_DIV]\nALIAS1=Kitchen\n[SET_DIV]\nSOUNDON=1\n";
        quillon::resources::Resources res;
        std::vector<quillon::resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        quillon::platform::HeadlessBackend backend;
        quillon::platform::Ui ui(backend, res);
        quillon::Application app(ui, [](uint32_t c, DrvCmd* r) { return D_SendDrvCmd(c, r); });
        app.set_config_directory(configDir);
        app.set_main_window_setup(quillon::install_pages_and_dialogs);
        std::string error;
        ASSERT_TRUE(app.initialise(error)) << error;
        backend.pump();
        backend.answer_file_dialogs_with({fromProgram});
        backend.menu(quillon::platform::ID_SAVE_PROFILE);
        backend.pump();
        DrvCmd none{};
        D_SendDrvCmd(q30::DRV_CLOSE, &none);
    }
    ASSERT_TRUE(fs::exists(fromProgram));
    CliRun backup = cli("backup " + file("cli.pro"));
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(read_file(file("cli.pro")), read_file(fromProgram));
}

TEST_F(CliOnDevice, ShowGivesEveryPageAsTheProgramShowsIt)
{
    start();
    std::ofstream(configDir + "/default.pro") << "[MSN_DIV]\nALIAS1=Kitchen\n";
    CliRun text = cli("show");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(has(text.out, "device:     Q30 on COM1 (" + server->slave_path() + ")\n")) << text.out;
    EXPECT_TRUE(has(text.out, "firmware:   1.3.4\nboot code:  1.02\n")) << text.out;
    for (const char* page : {"[Assigning MSNs]", "[Call acceptance]", "[Phone call filter]", "[Timer]"})
        EXPECT_TRUE(has(text.out, page)) << page;
    EXPECT_TRUE(has(text.out, "  Port11Msn1Edit             \"4711001\"\n")) << text.out;
    EXPECT_TRUE(has(text.out, "  Port21AliasEdit            \"Kitchen\"\n")) << text.out;
    // Forwarding to port 21 shows its name, as on the page.
    EXPECT_TRUE(has(text.out, "  Port11BusyEdit             \"Kitchen\"\n")) << text.out;
    EXPECT_FALSE(has(text.out, "ClockEdit")) << "the clocks are live, not settings";

    CliRun json = cli("show --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(is_json(json.out)) << json.out;
    EXPECT_TRUE(has(json.out, "\"model\": \"Q30\", \"firmware\": \"1.3.4\", \"bootCode\": \"1.02\"}")) << json.out;
    EXPECT_TRUE(has(json.out, "\n    \"Port11ClipBox\": true,")) << json.out;
    EXPECT_EQ(cli("show --json").out, json.out) << "the same device shows the same document";
}

TEST_F(CliOnDevice, ExitCodesTellUsageDeviceAndFileApart)
{
    start();
    std::ofstream(file("notes.txt")) << "[Shopping]\nmilk=1\n";
    for (const char* usage : {"backup", "diff a.pro b.pro", "show --bogus", "show --port COM9", "verify --port",
                              "restore", "upgrade"}) {
        CliRun r = cli(usage);
        EXPECT_EQ(r.status, 2) << usage;
        EXPECT_TRUE(has(r.err, "usage: quillon-cli")) << usage << ": " << r.err;
    }
    CliRun notProfile = cli("restore " + file("notes.txt"));
    EXPECT_EQ(notProfile.status, 2);
    EXPECT_TRUE(has(notProfile.err, "holds no profile section")) << notProfile.err;
    CliRun missing = cli("diff " + file("missing.pro"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(has(missing.err, "no such file")) << missing.err;
    CliRun unwritable = cli("backup " + file("no/such/folder.pro"));
    EXPECT_EQ(unwritable.status, 2) << unwritable.err;
    EXPECT_FALSE(fs::exists(file("no")));

    CliRun elsewhere = cli("show --port COM2");
    EXPECT_EQ(elsewhere.status, 1);
    EXPECT_TRUE(has(elsewhere.err, "no device answered on COM2")) << elsewhere.err;
}

TEST_F(CliOnDevice, ADeviceFallingSilentFailsTheBackup)
{
    // Start-up reads the MSNs; the forwarding page's reads meet a dead line.
    start({.seed = true, .silentFrom = "AT!P20"});
    CliRun backup = cli("backup " + file("device.pro"));
    EXPECT_EQ(backup.status, 1);
    EXPECT_TRUE(has(backup.err, "did not answer")) << backup.err;
}

TEST_F(CliOnDevice, UpgradeShowsBothIdentitiesAndRefusesWhatTheProgramRefuses)
{
    const auto image = q30sim::make_firmware_image(q30sim::Model::Q30, "1.4.0", "1.07");
    std::ofstream(file("new.q30"), std::ios::binary) << std::string(image.begin(), image.end());
    std::ofstream(file("short.q30"), std::ios::binary) << std::string(1000, 'x');

    CliRun unasked = cli("--demo upgrade " + file("new.q30"));
    EXPECT_EQ(unasked.status, 2);
    EXPECT_TRUE(has(unasked.out, "  Firmware: 1.4.0\n")) << unasked.out;
    EXPECT_TRUE(has(unasked.err, "run with --yes")) << unasked.err;

    CliRun bad = cli("--demo upgrade " + file("short.q30") + " --yes");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(has(bad.err, "This is not an upgrade file")) << bad.err;
    EXPECT_TRUE(has(bad.err, "1000 bytes")) << bad.err;

    CliRun good = cli("--demo upgrade " + file("new.q30") + " --yes");
    EXPECT_EQ(good.status, 0) << good.out << good.err;
    EXPECT_TRUE(has(good.out, "Upgrade Version: VornISDN Q30:  1.3.4  BOOT CODE 1.02\n")) << good.out;
    EXPECT_TRUE(has(good.out, "device:\n  Model  : VornISDN Q30\n  Firmware: 1.3.4\n  BootCode: 1.02\n")) << good.out;
    EXPECT_TRUE(has(good.out, "file:\n  Model  : VornISDN Q30\n  Firmware: 1.4.0\n  BootCode: 1.07\n")) << good.out;
}

} // namespace
