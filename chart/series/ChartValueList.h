// A value list holds one column of a series' numbers (its X or its Y values) in a growable array,
// places new values by the list's order, and caches the statistics that axis scaling reads.
#pragma once

#include "chart/series/ValueStorage.h"

#include <cstdint>
#include <string>

namespace mouldview::chart {

// How AddOrdered places a new value. Writing the order never re-sorts stored values.
enum TChartListOrder : std::uint8_t { loNone = 0, loAscending = 1, loDescending = 2 };

class TChartValueList {
public:
    // Storage grows by this many values at a time while the list is small (see NextValueCapacity).
    static constexpr int ValueCapacityStep = 1000;

    // A series' X or Y list, named so, placing new values by `order`.
    TChartValueList(std::string name, TChartListOrder order) : m_name(std::move(name)), m_order(order) {}
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    TChartListOrder Order() const { return m_order; }
    void SetOrder(TChartListOrder order) { m_order = order; }

    int Count() const { return m_values.Count(); }
    int Capacity() const { return m_values.Capacity(); }
    // Valid for 0 <= i < Count(); callers check Count first.
    double Value(int i) const { return m_values[i]; }
    double First() const { return Value(0); }
    double Last() const { return Value(Count() - 1); }
    // The stored values as one contiguous block of Count() doubles, for drawing loops.
    const double* Data() const { return m_values.Data(); }

    // Inserts the value at its place under Order (after any equal values) and returns its index.
    int AddOrdered(double value) {
        m_statsStale = true;
        if (AppendsInOrder(value)) {
            m_values.Append(value);
            return Count() - 1;
        }
        const int index = OrderedIndex(value);
        m_values.Insert(index, value);
        return index;
    }
    // Inserts at the given index (0..Count), shifting later values up; Order plays no part.
    void InsertAt(int index, double value) {
        m_statsStale = true;
        if (index == Count()) {
            m_values.Append(value);
        } else {
            m_values.Insert(index, value);
        }
    }
    // Empties the list and releases its storage.
    void RemoveAll();

    // Statistics over the stored values, recomputed on first use after a change; all 0 when empty.
    double LowestValue() const;
    double HighestValue() const;
    double ValueTotal() const;
    double AbsTotal() const;
    double Range() const { return HighestValue() - LowestValue(); }
    bool StatsStale() const { return m_statsStale; }

private:
    bool AppendsInOrder(double value) const {
        const int count = Count();
        if (count == 0 || m_order == loNone) {
            return true;
        }
        const double last = m_values[count - 1];
        return m_order == loAscending ? value >= last : value <= last;
    }
    // Where an out-of-order value goes: after the last value not beyond it.
    int OrderedIndex(double value) const;
    void RecalcStats() const;

    std::string m_name;
    TChartListOrder m_order;

    TGrowableArray<double> m_values;

    mutable bool m_statsStale = true;
    mutable double m_lowestValue = 0;
    mutable double m_highestValue = 0;
    mutable double m_valueTotal = 0;
    mutable double m_absTotal = 0;
};

} // namespace mouldview::chart
