#pragma once

// Data that may not be kept in the repository (no licence that allows it)
// lies beside the source tree, in ../shared/data. A developer without it sees
// the tests that need it skipped; a run that must be complete (CI sets
// TARNWICK_REQUIRE_SHARED_DATA=1) fails instead, so that a lost folder cannot
// quietly turn those tests off.

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace tarnwick::testing {

inline bool sharedDataRequired()
{
    return qEnvironmentVariableIntValue("TARNWICK_REQUIRE_SHARED_DATA") == 1;
}

} // namespace tarnwick::testing

// Skips the test (or fails it where the data is required) when `path` is missing.
#define TARNWICK_NEED_SHARED_FILE(path)                                                                                \
    do {                                                                                                               \
        if (!QFileInfo::exists(path)) {                                                                                \
            const QByteArray missing = "shared test data missing: " + QFile::encodeName(path);                         \
            if (tarnwick::testing::sharedDataRequired())                                                               \
                QFAIL(missing.constData());                                                                            \
            QSKIP(missing.constData());                                                                                \
        }                                                                                                              \
    } while (false)
