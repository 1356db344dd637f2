// Value list storage, ordered insertion and cached statistics.
#include "chart/series/ChartValueList.h"

#include "chart/series/ChartSeries.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>

namespace mouldview::chart {

TChartValueList::TChartValueList(TChartSeries* owner, std::string name)
    : m_owner(owner), m_name(std::move(name)) {}

void TChartValueList::SetDateTime(bool dateTime) {
    if (m_dateTime == dateTime) {
        return;
    }
    m_dateTime = dateTime;
    if (m_owner != nullptr) {
        m_owner->Repaint();
    }
}

int TChartValueList::InsertOrdered(double value) {
    int index = m_count;
    if (!AppendsInOrder(value)) {
        // Scan back over the larger (descending: smaller) values only, so equal values keep the
        // order in which they were added.
        int j = m_count - 1;
        const double* values = m_values.get();
        if (m_order == loAscending) {
            while (j >= 0 && values[j] > value) {
                --j;
            }
        } else {
            while (j >= 0 && values[j] < value) {
                --j;
            }
        }
        index = j + 1;
    }
    InsertAt(index, value);
    return index;
}

void TChartValueList::InsertAt(int index, double value) {
    if (m_count == m_capacity) {
        MakeRoom();
    }
    double* values = m_values.get();
    if (index < m_count) {
        std::memmove(values + index + 1, values + index,
                     sizeof(double) * static_cast<std::size_t>(m_count - index));
    }
    values[index] = value;
    ++m_count;
    m_statsStale = true;
}

// Grows by ValueCapacityStep values while the list holds a few thousand values, as a chart of a few
// years of 12-hour periods does. Beyond that a fixed step would copy the whole array once per
// thousand values, which makes filling a long series quadratic (ten million values would move some
// 400 GB), so larger lists grow by half their capacity, still in whole steps.
void TChartValueList::MakeRoom() {
    if (m_capacity == INT_MAX) {
        throw std::length_error("Value list is full");
    }
    const long long step = ValueCapacityStep;
    const long long half = (static_cast<long long>(m_capacity) / 2) / step * step;
    long long newCapacity = m_capacity + (half > step ? half : step);
    if (newCapacity > INT_MAX) {
        newCapacity = INT_MAX;
    }
    // realloc keeps the old block (and so the list's content) when it fails, and lets the C library
    // grow large blocks in place without copying.
    void* grown = std::realloc(m_values.get(), sizeof(double) * static_cast<std::size_t>(newCapacity));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    (void)m_values.release();
    m_values.reset(static_cast<double*>(grown));
    m_capacity = static_cast<int>(newCapacity);
}

void TChartValueList::RemoveAll() {
    m_values.reset();
    m_count = 0;
    m_capacity = 0;
    m_statsStale = true;
}

void TChartValueList::RecalcStats() const {
    if (m_count <= 0) {
        m_lowestValue = m_highestValue = m_valueTotal = m_absTotal = 0;
    } else {
        const double* values = m_values.get();
        double lowest = values[0];
        double highest = values[0];
        double total = values[0];
        double absTotal = std::fabs(values[0]);
        for (int i = 1; i < m_count; ++i) {
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

TChartValueList& TChartValueLists::Add(std::unique_ptr<TChartValueList> list) {
    m_lists.push_back(std::move(list));
    return *m_lists.back();
}

} // namespace mouldview::chart
