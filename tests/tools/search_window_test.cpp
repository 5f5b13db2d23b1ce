#include "tools/search_window.h"

#include <gtest/gtest.h>

namespace tavomerix {
namespace {

TEST(SearchSession, PressingSearchStartsStopsOrWaits) {
    SearchSession s;
    EXPECT_EQ(SearchPress::Start, pressSearch(s));
    beginSearch(s);
    EXPECT_FALSE(takeStopRequest(s));  // running undisturbed
    EXPECT_EQ(SearchPress::Stop, pressSearch(s));
    EXPECT_FALSE(s.busy);
    // Pressed again before the search saw the request: no second search inside the first.
    EXPECT_EQ(SearchPress::Ignore, pressSearch(s));
    EXPECT_TRUE(takeStopRequest(s));
    EXPECT_FALSE(s.stopRequested);
    endSearch(s);
    EXPECT_EQ(SearchPress::Start, pressSearch(s));
}

TEST(SearchSession, EditingAFieldStopsOnlyABusySearch) {
    SearchSession s;
    editSearchField(s);  // idle: the validation writes fields back without stopping anything
    EXPECT_FALSE(s.stopRequested);
    beginSearch(s);
    editSearchField(s);
    EXPECT_TRUE(takeStopRequest(s));
    EXPECT_FALSE(s.busy);
}

}  // namespace
}  // namespace tavomerix
