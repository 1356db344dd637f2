// The climate file reader. Nearly every line of a real file is ordinary and takes the fast path:
// it lies whole in the read buffer and is parsed in place. Every other line goes through the
// general path, which applies the line rules piece by piece and keeps only the texts of fields 2
// and 3, so a line of any length costs no more memory than those two fields. Either way the
// line's two values go straight into the running sums of its period.
#include "model/ClimateFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>
#include <vector>

namespace mouldview::model {

namespace {

// The fast conversion loads eight bytes at a time from any position up to the sentinel LF behind
// the buffered bytes; the text file promises that many readable bytes after the sentinel.
static_assert(runtime::TTextFile::ReadAhead >= sizeof(std::uint64_t));

constexpr std::size_t MaxLines = std::numeric_limits<std::int32_t>::max();

// One ordinary line at p, parsed in place: field 1 holds no control character, fields 2 and 3
// are numbers that the fast conversion takes, each ended by a tab, and the line's LF lies before
// end, the sentinel LF behind the buffered bytes. What follows the third tab does not matter (a
// CR or Ctrl-Z there changes nothing), so only the LF is looked for. Returns the next line's
// start, or nullptr when the line needs the general path. Every scan stops at the sentinel.
const char* ParseOrdinaryLine(const char* p, const char* end, char separator, float& temperature,
                              float& humidity) {
    // Tab, CR, LF and Ctrl-Z are all below 32: the first such byte must be the tab after field 1.
    while (static_cast<unsigned char>(*p) >= 32) {
        ++p;
    }
    if (*p != '\t') {
        return nullptr;
    }
    p = runtime::FastTextToFloat(p + 1, separator, temperature);
    if (p == nullptr || *p != '\t') {
        return nullptr;
    }
    p = runtime::FastTextToFloat(p + 1, separator, humidity);
    if (p == nullptr || *p != '\t') {
        return nullptr;
    }
    while (*++p != '\n') {
    }
    return p == end ? nullptr : p + 1;
}

// Splits a line into its fields while its pieces arrive: the text of field 2 counts only when a
// second tab follows it, and that of field 3 only when a third tab follows it (a cut at a tab
// that is not there leaves the field empty).
class TFieldCollector {
public:
    void Add(std::string_view bytes) {
        if (m_tabs >= 3) {
            return;
        }
        m_pending.clear();
        runtime::TTextFile::AppendLineText(m_pending, bytes, m_cut);
        for (const char c : m_pending) {
            if (c == '\t') {
                if (++m_tabs == 3) {
                    return;
                }
            } else if (m_tabs == 1) {
                m_field2.push_back(c);
            } else if (m_tabs == 2) {
                m_field3.push_back(c);
            }
        }
    }
    std::string_view Field2() const { return m_tabs >= 2 ? std::string_view(m_field2) : std::string_view(); }
    std::string_view Field3() const { return m_tabs >= 3 ? std::string_view(m_field3) : std::string_view(); }

private:
    std::string m_pending;
    std::string m_field2;
    std::string m_field3;
    int m_tabs = 0;
    bool m_cut = false;
};

float ConvertField(std::string_view field, char separator, const runtime::TTextFile& file) {
    float value = 0.0f;
    switch (runtime::TextToFloat(field, separator, value)) {
    case runtime::TFloatStatus::Ok:
        return value;
    case runtime::TFloatStatus::Invalid: {
        runtime::EConvertError error(runtime::InvalidFloatMessage(field));
        error.SetLocation(file.Path(), file.LineNumber());
        throw error;
    }
    case runtime::TFloatStatus::Overflow:
        break;
    }
    runtime::EOverflow error;
    error.SetLocation(file.Path(), file.LineNumber());
    throw error;
}

// The general path for the line whose first piece is given: reads the line's remaining pieces.
void ParseLine(runtime::TTextFile& file, runtime::TTextFile::TLinePiece piece, char separator,
               float& temperature, float& humidity) {
    TFieldCollector fields;
    fields.Add(piece.Bytes);
    while (!piece.Complete) {
        file.NextPiece(piece);
        fields.Add(piece.Bytes);
    }
    temperature = ConvertField(fields.Field2(), separator, file);
    humidity = ConvertField(fields.Field3(), separator, file);
}

[[noreturn, gnu::noinline]] void RaiseTooManyLines(const std::string& path) {
    runtime::ERunError error("Too many lines: the line count exceeds 2147483647");
    error.SetLocation(path, 0);
    throw error;
}

// The 12-hour sums, formed line by line. Whether a line is among the last five, which take no
// part, is known only at the end of the file, so each line waits until five more have come and
// only then goes into its period's sums. The sums are single-precision additions in line order,
// which give the extended sums rounded to single precision bit for bit (see MouldIndex.cpp).
class TPeriodSums {
public:
    TPeriodSums(std::vector<float>& rhSums, std::vector<float>& tempSums, const std::string& path)
        : m_rhSums(rhSums), m_tempSums(tempSums), m_path(path) {
        // Element 0 carries no data.
        m_rhSums.assign(1, 0.0f);
        m_tempSums.assign(1, 0.0f);
    }

    void AddLine(float temperature, float humidity) {
        const std::size_t n = ++m_lines;
        if (n > MaxLines) [[unlikely]] {
            RaiseTooManyLines(m_path);
        }
        m_waiting[n % Waiting] = {temperature, humidity};
        if (n < FirstLineUsed + LinesLeftOut) {
            return;
        }
        // Five lines have come after line n - 5, which is line 8 or later.
        const THour& hour = m_waiting[(n - LinesLeftOut) % Waiting];
        m_rhSum += hour.RH;
        m_tempSum += hour.Temp;
        if (++m_hours == HoursPerPeriod) {
            m_rhSums.push_back(m_rhSum);
            m_tempSums.push_back(m_tempSum);
            m_rhSum = m_tempSum = 0.0f;
            m_hours = 0;
        }
    }

    // At the end of the file: the hours after the last complete period go into the next element.
    std::int32_t Finish() {
        m_rhSums.push_back(m_rhSum);
        m_tempSums.push_back(m_tempSum);
        return static_cast<std::int32_t>(m_lines);
    }

private:
    struct THour {
        float Temp;
        float RH;
    };
    static constexpr std::size_t Waiting = 8; // lines kept waiting, a power of two above LinesLeftOut
    static_assert(Waiting > LinesLeftOut);
    THour m_waiting[Waiting] = {};
    std::size_t m_lines = 0;
    int m_hours = 0;
    float m_rhSum = 0.0f;
    float m_tempSum = 0.0f;
    std::vector<float>& m_rhSums;
    std::vector<float>& m_tempSums;
    const std::string& m_path;
};

} // namespace

std::int32_t PeriodCapacityFor(std::int32_t lineCount) {
    const std::int32_t quotient = lineCount / 12;
    const std::int32_t remainder = lineCount % 12;
    if (remainder > 6 || (remainder == 6 && quotient % 2 == 1)) {
        return quotient + 1;
    }
    return quotient;
}

std::int32_t CompletePeriodsFor(std::int32_t lineCount) {
    const std::int32_t hours = lineCount - (FirstLineUsed - 1) - LinesLeftOut;
    return hours > 0 ? hours / HoursPerPeriod : 0;
}

void ReadClimateFile(TModelState& state, const std::string& path, char separator, std::size_t bufferSize) {
    runtime::TTextFile file(path, bufferSize);
    // One dataset, in slot 1; the other slots stay empty.
    state.DatasetCount = 1;
    const int slot = 1;
    TPeriodSums sums(state.PeriodRH[slot], state.PeriodTemp[slot], path);
    float temperature = 0.0f;
    float humidity = 0.0f;
    for (;;) {
        const char* const end = file.BufferEnd();
        const char* p = file.Cursor();
        std::int64_t taken = 0;
        while (const char* next = ParseOrdinaryLine(p, end, separator, temperature, humidity)) {
            sums.AddLine(temperature, humidity);
            p = next;
            ++taken;
        }
        file.SkipScannedLines(p, taken);
        // One line by the general path: one that is not ordinary, or that crosses the end of the
        // buffer (this also reads on).
        runtime::TTextFile::TLinePiece piece;
        if (!file.NextPiece(piece)) {
            break;
        }
        ParseLine(file, piece, separator, temperature, humidity);
        sums.AddLine(temperature, humidity);
    }
    file.Close();
    state.LineCount = sums.Finish();
    state.PeriodCapacity = PeriodCapacityFor(state.LineCount);
    // A file of 6 lines or fewer has PeriodCapacity 0, yet the computation and the window use
    // element 1 of the period arrays; they get that element (holding 0) all the same.
    const auto periodLength = static_cast<std::size_t>(std::max(state.PeriodCapacity + 1, 2));
    // The sums end at element CompletePeriodsFor(LineCount) + 1, which is at most PeriodCapacity.
    assert(state.PeriodRH[slot].size() <= periodLength);
    for (TArrayGroup* group : {&state.PeriodRH, &state.PeriodTemp, &state.TempResponse, &state.RHResponse,
                               &state.PeriodDose, &state.MouldIndex}) {
        (*group)[slot].resize(periodLength);
    }
}

} // namespace mouldview::model
