#include "shared/models/StockSnapshot.h"

#include "shared/models/SampleMoment.h"

namespace plyx {

const StockSnapshot& StockSnapshot::sample() {
    static const StockSnapshot s = [] {
        StockSnapshot st;
        st.symbol = "AAPL";
        st.price = 243.18;
        st.changePercent = -1.2;
        st.points = {{34, "10AM"}, {44, std::nullopt}, {40, "12PM"}, {52, std::nullopt},
                     {58, "2PM"},  {48, std::nullopt}, {42, "4PM"},  {36, std::nullopt}};
        st.updated = models::sampleMoment();
        return st;
    }();
    return s;
}

} // namespace plyx
