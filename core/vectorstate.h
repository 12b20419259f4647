#pragma once

namespace tarnwick {

// Library code that ran earlier in the process (opening a database
// connection among it) can leave the upper halves of the processor's wide
// vector registers marked as in use. Until they are cleared, the scalar
// floating-point code of this program, built for plain x86-64, runs several
// times slower. Clearing them before a long loop of a run changes no value:
// no live data are kept in those halves across a call.
void releaseVectorState();

} // namespace tarnwick
