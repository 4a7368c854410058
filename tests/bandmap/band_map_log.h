#pragma once
// The log of a band-map window test: the file of a test context (its clock stands at 05.03.2026
// 07:04:09 UTC), opened with its store as the program opens it.

#include "band_map_records.h"

#include "support/scripted_services.h"
#include "support/temp_log.h"

namespace vireo::test {

namespace detail {
struct WithContext {
    TestContext t;
};
} // namespace detail

struct BandMapLog : detail::WithContext, TempLog {
    BandMapLog() : TempLog(t.context.databasePath, QStringLiteral("bandmap-log")) {}
};

} // namespace vireo::test
