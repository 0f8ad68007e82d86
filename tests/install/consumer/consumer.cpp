// A program of others: includes the installed header and calls the library.
#include <q30com32/q30com32.h>

#include <cstdio>

int main()
{
    const int32_t result = D_SendDrvCmd(q30::DRV_NOP, nullptr);
    std::printf("D_SendDrvCmd(DRV_NOP) = %d\n", static_cast<int>(result));
    return 0;
}
