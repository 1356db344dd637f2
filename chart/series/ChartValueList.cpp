// Value list storage, ordered insertion and cached statistics.
#include "chart/series/ChartValueList.h"

#include <cmath>

namespace mouldview::chart {

int TChartValueList::OrderedIndex(double value) const {
    // Scan back over the larger (descending: smaller) values only, so equal values keep the order
    // in which they were added.
    const double* values = Data();
    int j = Count() - 1;
    if (m_order == loAscending) {
        while (j >= 0 && values[j] > value) {
            --j;
        }
    } else {
        while (j >= 0 && values[j] < value) {
            --j;
        }
    }
    return j + 1;
}

void TChartValueList::RemoveAll() {
    m_values.Clear();
    m_statsStale = true;
}

void TChartValueList::RecalcStats() const {
    const int count = Count();
    if (count <= 0) {
        m_lowestValue = m_highestValue = m_valueTotal = m_absTotal = 0;
    } else {
        const double* values = Data();
        double lowest = values[0];
        double highest = values[0];
        double total = values[0];
        double absTotal = std::fabs(values[0]);
        for (int i = 1; i < count; ++i) {
            const double v = values[i];
            if (v < lowest) {
                lowest = v;
            } else if (v > highest) {
                highest = v;
            }
            total += v;
            absTotal += std::fabs(v);
        }
        m_lowestValue = lowest;
        m_highestValue = highest;
        m_valueTotal = total;
        m_absTotal = absTotal;
    }
    m_statsStale = false;
}

double TChartValueList::LowestValue() const {
    if (m_statsStale) {
        RecalcStats();
    }
    return m_lowestValue;
}

double TChartValueList::HighestValue() const {
    if (m_statsStale) {
        RecalcStats();
    }
    return m_highestValue;
}

double TChartValueList::ValueTotal() const {
    if (m_statsStale) {
        RecalcStats();
    }
    return m_valueTotal;
}

double TChartValueList::AbsTotal() const {
    if (m_statsStale) {
        RecalcStats();
    }
    return m_absTotal;
}

} // namespace mouldview::chart
