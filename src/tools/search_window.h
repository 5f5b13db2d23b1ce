#pragma once

#include <string_view>

#include "tools/search.h"

namespace tavomerix {

// The two modes of the search window: month searches and condition days.
enum class SearchWindowMode { Months = 1, Days = 2 };

// Window title of a mode: "查询条件月" or "查询条件日".
std::string_view searchWindowTitle(SearchWindowMode mode);

// The month search chosen by the option buttons 农历闰月, 三连大月, 三连小月, 四连大月
// (0..3); the leap-month search for any other index.
SearchKind monthSearchKind(int option);

// Run state of the search window. `busy`: a search is running and has not been asked to
// stop. `running`: a search is still on the call stack, also while it unwinds after a stop
// request (its window keeps handling messages from inside it).
struct SearchSession {
    bool busy = false;
    bool stopRequested = false;
    bool running = false;
};

// What pressing "查询" does.
enum class SearchPress {
    Start,   // idle: validate the fields and start
    Stop,    // a search is busy: it is asked to stop
    Ignore,  // a stopped search has not returned yet; a second search must not start inside it
};

// "查询": Start when no search is on the stack; Stop (stop requested, busy cleared) while
// one is busy; Ignore while a stopped one unwinds.
SearchPress pressSearch(SearchSession& session);

// A start-year, range or filter field was edited: a busy search is asked to stop.
void editSearchField(SearchSession& session);

// A search starts: busy and running, no stop request.
void beginSearch(SearchSession& session);

// The search's check point: true, clearing the request and the busy flag, when a stop was
// requested.
bool takeStopRequest(SearchSession& session);

// The search returned (finished or stopped): idle.
void endSearch(SearchSession& session);

}  // namespace tavomerix
