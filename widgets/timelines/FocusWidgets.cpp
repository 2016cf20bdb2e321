#include "widgets/timelines/FocusWidgets.h"

#include "shared/views/focus/CountdownView.h"
#include "shared/views/focus/FocusView.h"
#include "widgets/timelines/CountdownTimelineProvider.h"
#include "widgets/timelines/FocusTimelineProvider.h"

namespace plyx {

std::vector<DeclaredWidget> focusWidgets() {
    return {
        declare(CountdownWidget, CountdownTimelineProvider{},
                [](const CountdownTimelineProvider::Entry& e, const WCtx& ctx) {
                    return CountdownView{e.data.first, e.data.second, ctx}.body();
                }),
        declare(FocusWidget, FocusTimelineProvider{}, viewOf<FocusView>),
    };
}

} // namespace plyx
