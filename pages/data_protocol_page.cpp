#include "pages/data_protocol_page.h"

#include <optional>

#include "platform/ui.h"
#include "shell/next_input.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace data_protocol;
using namespace dialog_ids::data;

namespace {

constexpr int kPageIndex = 5;
constexpr int kEnterAnInteger = 61712;  // a single id, the same in every language

// Texts (string bases).
constexpr int kCautionString = 6260;
constexpr int kProtocolString = 6265;
constexpr int kAutoProtocolString = 6270;
constexpr int kMultilinkString = 6275;
constexpr int kDbaString = 6280;
constexpr int kBodString = 6285;
constexpr int kEidClassString = 6290;
constexpr int kBytesString = 6295;
constexpr int kFrameSizeString = 6550;
constexpr int kIFrameString = 8770;
constexpr int kUiFrameString = 8775;
constexpr int kBodButtonString = 8620;
constexpr int kFirstProtocolName = 8700;  // + 5 * protocol
constexpr int kFirstEidClassName = 8740;  // + 5 * class
constexpr int kFirstEidExample = 6550;    // + 5 * class, for classes 1..5

// The label pairs of the frame size edits: V.120, the three X.75 protocols, HDLC.
struct SizeLabels {
    int size;
    int unit;
};
constexpr std::array<SizeLabels, 5> kSizeLabels = {{
    {kV120SizeLabel, kV120UnitLabel},
    {kX75BtxSizeLabel, kX75BtxUnitLabel},
    {kX75TransparentSizeLabel, kX75TransparentUnitLabel},
    {kX75T70SizeLabel, kX75T70UnitLabel},
    {kHdlcSizeLabel, kHdlcUnitLabel},
}};

// Where the controls of V.120, X.75 and HDLC are shown: each protocol's
// controls take the top rows of the parameter frame, which only the current
// protocol's controls show in.
struct Placement {
    int control;
    int place;
};
constexpr std::array<Placement, 16> kPlacements = {{
    {kV120SizeLabel, kFirstLabelPlace},
    {kV120SizeEdit, kFirstEditPlace},
    {kV120UnitLabel, kFirstUnitPlace},
    {kIFrameRadio, kLeftChoicePlace},
    {kUiFrameRadio, kRightChoicePlace},
    {kMultilinkX75Box, kWideRowPlace},
    {kX75BtxSizeLabel, kSecondLabelPlace},
    {kX75BtxUnitLabel, kSecondUnitPlace},
    {kX75TransparentSizeLabel, kSecondLabelPlace},
    {kX75TransparentUnitLabel, kSecondUnitPlace},
    {kX75T70SizeLabel, kSecondLabelPlace},
    {kX75T70UnitLabel, kSecondUnitPlace},
    {kX75SizeEdit, kSecondEditPlace},
    {kHdlcSizeLabel, kFirstLabelPlace},
    {kHdlcSizeEdit, kFirstEditPlace},
    {kHdlcUnitLabel, kFirstUnitPlace},
}};

bool is_x75(int protocol) { return protocol >= kX75Btx && protocol <= kX75T70; }
bool eid_class_with_number(int eidClass) { return eidClass > kEidNull && eidClass < kEidClassCount; }

// The list entry of a value; none for a value the device reported beyond the list.
int list_index(int value, int count) { return value >= 0 && value < count ? value : -1; }

std::optional<FrameKind> frame_kind_of(int protocol)
{
    if (protocol == kV120)
        return FrameKind::V120;
    if (is_x75(protocol))
        return FrameKind::X75;
    if (protocol == kHdlc)
        return FrameKind::Hdlc;
    return std::nullopt;
}

int frame_size_edit(FrameKind kind)
{
    switch (kind) {
    case FrameKind::V120: return kV120SizeEdit;
    case FrameKind::X75: return kX75SizeEdit;
    case FrameKind::Hdlc: return kHdlcSizeEdit;
    }
    return kV120SizeEdit;
}

Field<int>& frame_size_field(Fields& f, FrameKind kind)
{
    switch (kind) {
    case FrameKind::V120: return f.v120Size;
    case FrameKind::X75: return f.x75Size;
    case FrameKind::Hdlc: return f.hdlcSize;
    }
    return f.v120Size;
}

} // namespace

DataProtocolPage::DataProtocolPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, kPageIndex)
{
    Fields& f = fields_;
    for (FieldBase* field : std::initializer_list<FieldBase*>{
             &f.protocol, &f.autoDetect, &f.multilinkPpp, &f.dba, &f.bod, &f.eidClass, &f.v120Size, &f.iFrame,
             &f.multilinkX75, &f.x75Size, &f.hdlcSize, &f.highWater, &f.lowWater, &f.highDuration, &f.lowDuration})
        values_.add(*field);
    values_.add_all(f.eidNumbers);
}

// The lists get their entries at once, so that a profile operation on a
// page never shown finds them.
void DataProtocolPage::on_built()
{
    for (const Placement& p : kPlacements)
        backend().place_control_over(*this, p.control, p.place);
    relabel();
}

void DataProtocolPage::relabel()
{
    set_text(kCautionText, shell_.text(kCautionString));
    set_text(kProtocolLabel, shell_.text(kProtocolString));
    set_text(kAutoProtocolBox, shell_.text(kAutoProtocolString));
    set_text(kMultilinkPppBox, shell_.text(kMultilinkString));
    set_text(kMultilinkX75Box, shell_.text(kMultilinkString));
    set_text(kDbaBox, shell_.text(kDbaString));
    set_text(kBodBox, shell_.text(kBodString));
    set_text(ID_EXTRA_BUTTON, shell_.text(kBodButtonString));
    set_text(kEidClassLabel, shell_.text(kEidClassString));
    set_text(kIFrameRadio, shell_.text(kIFrameString));
    set_text(kUiFrameRadio, shell_.text(kUiFrameString));
    for (const SizeLabels& labels : kSizeLabels) {
        set_text(labels.size, shell_.text(kFrameSizeString));
        set_text(labels.unit, shell_.text(kBytesString));
    }
    std::vector<std::string> protocols;
    for (int p = 0; p < kProtocolCount; ++p)
        protocols.push_back(shell_.text(kFirstProtocolName + 5 * p));
    set_items(kProtocolList, protocols);
    std::vector<std::string> classes;
    for (int c = 0; c < kEidClassCount; ++c)
        classes.push_back(shell_.text(kFirstEidClassName + 5 * c));
    set_items(kEidClassList, classes);
    refresh();
}

std::string DataProtocolPage::eid_display() const
{
    const int eidClass = fields_.eidClass.edited();
    if (list_index(eidClass, kEidClassCount) < 0)
        return {};
    return eid_display_form(eidClass, fields_.eidNumbers[static_cast<std::size_t>(eidClass)].edited());
}

void DataProtocolPage::refresh()
{
    const Fields& f = fields_;
    const int protocol = list_index(f.protocol.edited(), kProtocolCount);
    set_selection(kProtocolList, protocol);
    set_text(kParameterFrame, protocol < 0 ? std::string() : shell_.text(kFirstProtocolName + 5 * protocol));
    set_check(kAutoProtocolBox, f.autoDetect.edited());
    set_check(kMultilinkPppBox, f.multilinkPpp.edited());
    set_check(kDbaBox, f.dba.edited());
    set_check(kBodBox, f.bod.edited());
    const int eidClass = f.eidClass.edited();
    set_selection(kEidClassList, list_index(eidClass, kEidClassCount));
    set_text(kEidNumberEdit, eid_display());
    set_text(kEidExampleText,
             eid_class_with_number(eidClass) ? shell_.text(kFirstEidExample + 5 * eidClass) : std::string());
    set_text(kV120SizeEdit, std::to_string(f.v120Size.edited()));
    set_check(kIFrameRadio, f.iFrame.edited() ? 1 : 0);
    set_check(kUiFrameRadio, f.iFrame.edited() ? 0 : 1);
    set_check(kMultilinkX75Box, f.multilinkX75.edited());
    set_text(kX75SizeEdit, std::to_string(f.x75Size.edited()));
    set_text(kHdlcSizeEdit, std::to_string(f.hdlcSize.edited()));
    show_protocol_controls();
}

// Only the current protocol's controls are shown. The PPP controls that
// need multilink (the bandwidth switches and the EID) show only while it is
// on, whatever way the page got there.
void DataProtocolPage::show_protocol_controls()
{
    const Fields& f = fields_;
    const int protocol = f.protocol.edited();
    const bool ppp = protocol == kPpp;
    const bool multilink = ppp && f.multilinkPpp.edited() != 0;
    set_visible(kMultilinkPppBox, ppp);
    for (int id : {kDbaBox, kBodBox, kEidClassLabel, kEidClassList})
        set_visible(id, multilink);
    set_visible(ID_EXTRA_BUTTON, multilink && f.bod.edited() != 0);
    const bool number = multilink && eid_class_with_number(f.eidClass.edited());
    set_visible(kEidNumberEdit, number);
    set_visible(kEidExampleText, number);

    for (int id : {kV120SizeLabel, kV120SizeEdit, kV120UnitLabel, kIFrameRadio, kUiFrameRadio})
        set_visible(id, protocol == kV120);
    set_visible(kMultilinkX75Box, is_x75(protocol));
    set_visible(kX75SizeEdit, is_x75(protocol));
    for (int p = kX75Btx; p <= kX75T70; ++p) {
        const SizeLabels& labels = kSizeLabels[static_cast<std::size_t>(1 + p - kX75Btx)];
        set_visible(labels.size, protocol == p);
        set_visible(labels.unit, protocol == p);
    }
    for (int id : {kHdlcSizeLabel, kHdlcSizeEdit, kHdlcUnitLabel})
        set_visible(id, protocol == kHdlc);
}

// The controls into the edited values, in the device's order. An empty
// frame size stops it: that size and the ones after it keep their values.
void DataProtocolPage::store_controls()
{
    Fields& f = fields_;
    if (int protocol = selection(kProtocolList); protocol >= 0)
        f.protocol.edit(protocol);
    f.autoDetect.edit(check(kAutoProtocolBox) != 0);
    f.multilinkPpp.edit(check(kMultilinkPppBox) != 0);
    f.dba.edit(check(kDbaBox) != 0);
    f.bod.edit(check(kBodBox) != 0);
    if (int eidClass = selection(kEidClassList); eidClass >= 0)
        f.eidClass.edit(eidClass);
    f.iFrame.edit(check(kIFrameRadio) != 0);
    f.multilinkX75.edit(check(kMultilinkX75Box) != 0);
    for (FrameKind kind : {FrameKind::V120, FrameKind::X75, FrameKind::Hdlc}) {
        const int edit = frame_size_edit(kind);
        Field<int>& size = frame_size_field(f, kind);
        const std::optional<long> value = decimal_value(text(edit));
        if (!value) {
            tell(kEnterAnInteger, true);
            // The edit shows what the page holds, so the message comes once.
            set_text(edit, std::to_string(size.edited()));
            set_focus(edit);
            return;
        }
        size.edit(static_cast<int>(*value));
    }
}

// The controls into the values with the final checks of the current
// protocol: the EID number for PPP, the frame size for the others.
DataProtocolPage::Input DataProtocolPage::take_input()
{
    store_controls();
    Input input = Input::Taken;
    const int protocol = fields_.protocol.edited();
    if (protocol == kPpp) {
        if (!take_eid_number(true))
            input = Input::EidRefused;
    } else if (const std::optional<FrameKind> kind = frame_kind_of(protocol)) {
        Field<int>& size = frame_size_field(fields_, *kind);
        if (!frame_size_in_range(*kind, size.edited())) {
            tell(frame_size_rule(*kind).message);
            size.edit(size.confirmed());
            input = Input::SizeRefused;
        }
    }
    refresh();
    return input;
}

// The EID edit into the number of the current class. What still shows the
// device's number is taken as it is, so that a number the device holds in
// another shape never locks the user on the page.
bool DataProtocolPage::take_eid_number(bool tellProblem)
{
    const int eidClass = fields_.eidClass.edited();
    if (!eid_class_with_number(eidClass))
        return true;
    Field<std::string>& number = fields_.eidNumbers[static_cast<std::size_t>(eidClass)];
    const std::string typed = text(kEidNumberEdit);
    if (typed == eid_display_form(eidClass, number.confirmed())) {
        number.edit(number.confirmed());
        return true;
    }
    const EidConversion conversion = eid_device_form(eidClass, typed);
    if (conversion.problem == kNoProblem) {
        number.edit(conversion.deviceForm);
        return true;
    }
    if (tellProblem)
        tell(conversion.problem);
    number.edit(number.confirmed());
    return false;
}

void DataProtocolPage::tell(int message, bool singleId)
{
    shell_.ui.message_box(this, singleId ? shell_.ui.text(message) : shell_.text(message),
                          shell_.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
}

void DataProtocolPage::confirm_field()
{
    take_input();
    focus_next_input(*this);
}

// Leaving with an EID number that fails its check keeps the user here, as
// "Cancel" in the discard dialog would.
bool DataProtocolPage::eid_keeps_user_here() { return take_input() == Input::EidRefused; }

intptr_t DataProtocolPage::on_message(const Message& m)
{
    if (m.id == UWM_QUERY_LEAVE && eid_keeps_user_here())
        return 0;
    return Page::on_message(m);
}

bool DataProtocolPage::pre_translate(const Message& m)
{
    if (m.id == WM_COMMAND && is_page_command(command_id(m.wparam)) &&
        command_id(m.wparam) != ID_PAGE_FIRST + index() && eid_keeps_user_here())
        return true;
    return Page::pre_translate(m);
}

void DataProtocolPage::on_close()
{
    if (!eid_keeps_user_here())
        Page::on_close();
}

void DataProtocolPage::on_command(int id, int code)
{
    Fields& f = fields_;
    if (code == EN_CHANGE) {
        if (id == kEidNumberEdit)
            check_typed_eid();
        else if (id == kV120SizeEdit || id == kX75SizeEdit || id == kHdlcSizeEdit)
            check_typed_frame_size(id);
        return;
    }
    if (code == CBN_SELCHANGE && id == kProtocolList) {
        change_protocol();
        return;
    }
    if (code == CBN_SELCHANGE && id == kEidClassList) {
        change_eid_class();
        return;
    }
    if (code != BN_CLICKED) {
        Page::on_command(id, code);
        return;
    }
    const bool leaving = (is_page_command(id) && id != ID_PAGE_FIRST + index()) || id == ID_QUIT;
    if (leaving && eid_keeps_user_here())
        return;
    switch (id) {
    case kMultilinkPppBox:
        f.multilinkPpp.edit(check(id) != 0);
        show_protocol_controls();
        break;
    case kBodBox:
        f.bod.edit(check(id) != 0);
        show_protocol_controls();
        break;
    case kAutoProtocolBox: f.autoDetect.edit(check(id) != 0); break;
    case kDbaBox: f.dba.edit(check(id) != 0); break;
    case kMultilinkX75Box: f.multilinkX75.edit(check(id) != 0); break;
    case kIFrameRadio:
    case kUiFrameRadio:
        f.iFrame.edit(id == kIFrameRadio ? 1 : 0);
        set_check(kIFrameRadio, f.iFrame.edited());
        set_check(kUiFrameRadio, 1 - f.iFrame.edited());
        break;
    case ID_EXTRA_BUTTON: edit_bod_values(); break;
    default: Page::on_command(id, code); break;
    }
}

// The new protocol becomes current through the input checks; a valid EID
// number typed for PPP is kept for a return to PPP.
void DataProtocolPage::change_protocol()
{
    const int chosen = selection(kProtocolList);
    if (chosen < 0 || chosen == fields_.protocol.edited())
        return;
    if (fields_.protocol.edited() == kPpp)
        take_eid_number(false);
    take_input();
    repaint();
}

void DataProtocolPage::change_eid_class()
{
    const int chosen = selection(kEidClassList);
    if (chosen < 0 || chosen == fields_.eidClass.edited())
        return;
    take_eid_number(false);
    fields_.eidClass.edit(chosen);
    refresh();
    if (eid_class_with_number(chosen))
        set_focus(kEidNumberEdit);
}

// What was typed into the other fields stays; this field shows again what
// the page holds.
void DataProtocolPage::check_typed_eid()
{
    const int problem = data_protocol::check_typed_eid(fields_.eidClass.edited(), text(kEidNumberEdit));
    if (problem == kNoProblem)
        return;
    tell(problem);
    set_text(kEidNumberEdit, eid_display());
    set_focus(kEidNumberEdit);
}

void DataProtocolPage::check_typed_frame_size(int editId)
{
    const FrameKind kind = editId == kV120SizeEdit ? FrameKind::V120
                           : editId == kX75SizeEdit ? FrameKind::X75
                                                    : FrameKind::Hdlc;
    const int problem = data_protocol::check_typed_frame_size(kind, text(editId));
    if (problem == kNoProblem)
        return;
    tell(problem);
    Field<int>& size = frame_size_field(fields_, kind);
    size.edit(size.confirmed());
    set_text(editId, std::to_string(size.edited()));
    set_focus(editId);
}

// The dialog edits the page's four thresholds; only OK changes them.
void DataProtocolPage::edit_bod_values()
{
    shell_.beep_if_sound();
    Fields& f = fields_;
    const BodValues now{f.highWater.edited(), f.lowWater.edited(), f.highDuration.edited(), f.lowDuration.edited()};
    if (const std::optional<BodValues> chosen = run_bod_dialog(shell_, *this, now)) {
        f.highWater.edit(chosen->highWater);
        f.lowWater.edit(chosen->lowWater);
        f.highDuration.edit(chosen->highDuration);
        f.lowDuration.edit(chosen->lowDuration);
    }
}

std::unique_ptr<Page> make_data_protocol_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<DataProtocolPage>(shell, mainWindow);
}

} // namespace quillon
