#include "fake_library.h"

#include <algorithm>

namespace shelltest {

int32_t FakeLibrary::operator()(uint32_t code, DrvCmd* r)
{
    calls.push_back(code);
    switch (code) {
    case q30::DRV_FIND_DEVICE:
        return present ? 0 : -2;
    case q30::DRV_REOPEN:  // identifies: the device must answer
        if (reopenWorks)
            pingFailuresLeft = 0;  // the new handle answers
        return present && pingFailuresLeft == 0 ? 0 : -2;
    case q30::DRV_DEVICE_INFO:
        r->port = present ? 0 : 0;
        r->index = present ? model : 0;
        q30::record::set_usb_flag(*r, usb ? 1 : 0);
        q30::record::set_text_field(*r, firmware);
        q30::record::set_boot_version(*r, bootCode);
        return 1;
    case q30::DRV_PING:
        if (pingFailuresLeft > 0) {
            --pingFailuresLeft;
            return -1;
        }
        return present ? 1 : -1;
    case q30::DRV_BOOT_OPEN:
        return r->port == bootLoaderOnCom ? 2 : 1;
    case q30::DRV_CLOSE:
    case q30::DRV_STORE:
        return 0;
    case q30::DRV_LANGUAGE:
        if (!present)
            return -2;
        r->replied = r->ok = 1;
        if (r->op == q30::OP_SET)
            deviceLanguage = r->value;
        else
            r->value = deviceLanguage;
        return 0;
    default:
        if (!present)
            return -2;
        r->replied = r->ok = 1;
        if (code == q30::DRV_MSN && r->op == q30::OP_QUERY)
            q30::record::set_str(*r, "47110" + std::to_string(r->port) + std::to_string(r->index));
        return 0;
    }
}

int FakeLibrary::count(uint32_t code) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), code));
}

} // namespace shelltest
