#pragma once
// The daily quote: an accent opening quote sign, the saying in at most three
// lines, and its author at the bottom.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/QuoteItem.h"

namespace plyx {

struct QuoteView {
    QuoteItem quote;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
