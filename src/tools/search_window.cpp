#include "tools/search_window.h"

namespace tavomerix {

std::string_view searchWindowTitle(SearchWindowMode mode) {
    return mode == SearchWindowMode::Days ? "查询条件日" : "查询条件月";
}

SearchKind monthSearchKind(int option) {
    switch (option) {
        case 1:
            return SearchKind::ThreeLongMonths;
        case 2:
            return SearchKind::ThreeShortMonths;
        case 3:
            return SearchKind::FourLongMonths;
        default:
            return SearchKind::LeapMonths;
    }
}

SearchPress pressSearch(SearchSession& session) {
    if (session.busy) {
        session.stopRequested = true;
        session.busy = false;
        return SearchPress::Stop;
    }
    return session.running ? SearchPress::Ignore : SearchPress::Start;
}

void editSearchField(SearchSession& session) {
    if (session.busy) session.stopRequested = true;
}

void beginSearch(SearchSession& session) { session = {true, false, true}; }

bool takeStopRequest(SearchSession& session) {
    if (!session.stopRequested) return false;
    session.stopRequested = false;
    session.busy = false;
    return true;
}

void endSearch(SearchSession& session) { session = {}; }

}  // namespace tavomerix
