#include "core/vectorstate.h"

namespace tarnwick {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
namespace {
__attribute__((target("avx"))) void clearUpperVectorHalves()
{
    __builtin_ia32_vzeroupper();
}
} // namespace

void releaseVectorState()
{
    if (__builtin_cpu_supports("avx"))
        clearUpperVectorHalves();
}
#else
void releaseVectorState() {}
#endif

} // namespace tarnwick
