#include "shared/views/quote/QuoteView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

namespace {
constexpr const char* kOpeningQuote = "\u201c";
constexpr const char* kAuthorSuffix = " \u00b7 Daily";
constexpr int kMaxLines = 3;
} // namespace

ui::View QuoteView::body() const {
    const double u = ctx.u;
    return ui::VStack(
               {
                   ui::Text(kOpeningQuote)
                       .font(PlyxFonts::numerals(26 * u, ctx.theme.numerals, ui::FontWeight::black))
                       .foregroundColor(ctx.pal.accent)
                       .frame(std::nullopt, 16 * u, ui::Alignment::top),
                   ui::Text(quote.text)
                       .font(PlyxFonts::label(13 * u, ctx.theme.labels))
                       .lineSpacing(7.8 * u)
                       .foregroundColor(ctx.pal.ink)
                       .lineLimit(kMaxLines)
                       .padding(ui::Edges::top, 6 * u),
                   ui::Spacer(0),
                   Caption{quote.author + kAuthorSuffix, 9, 0.16, ctx.pal.inkDim, ctx},
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{22 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
