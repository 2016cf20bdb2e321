#include "widgets/timelines/StockWidgets.h"

#include "shared/views/stock/StockView.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "widgets/timelines/StockTimelineProvider.h"
#include "widgets/timelines/WatchlistTimelineProvider.h"

namespace plyx {

std::vector<DeclaredWidget> stockWidgets() {
    return {
        declare(StockWidget, StockTimelineProvider{}, viewOf<StockView>),
        declare(WatchlistWidget, WatchlistTimelineProvider{}, viewOf<StockWatchlistView>),
    };
}

} // namespace plyx
