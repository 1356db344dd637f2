// The climate file reader. Nearly every line of a real file is ordinary and takes the fast path:
// it lies whole in the read buffer and is parsed in place. Every other line goes through the
// general path, which applies the line rules piece by piece and keeps only the texts of fields 2
// and 3, so a line of any length costs no more memory than those two fields. Either way the
// line's two values go straight into the running sums of its period.
#include "model/ClimateFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mouldview::model {

namespace {

constexpr char CtrlZ = 26;
constexpr std::size_t MaxLines = std::numeric_limits<std::int32_t>::max();

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

// The bytes that decide how a line splits into fields: tab, LF and Ctrl-Z (a Ctrl-Z before the
// third tab cuts the fields short or, at the line's start, ends the file). Walks through them in
// order, from bit masks of 64 bytes at a time. In plain code, each Next is
//     while (*p != '\t' && *p != '\n' && *p != CtrlZ) ++p;
// which takes a branch per byte and mispredicts where the lengths of the fields vary; a mask costs
// a few instructions per 64 bytes, and each byte found a bit scan.
class TFieldMarks {
public:
    static constexpr std::size_t BlockBytes = 64;

    explicit TFieldMarks(const char* start) : m_block(start - BlockBytes) {}

    // The next tab, LF or Ctrl-Z after the one returned before (at or after start the first time).
    // The caller stops at the sentinel LF behind the buffered bytes at the latest.
    const char* Next() {
        while (m_marks == 0) {
            m_block += BlockBytes;
            m_marks = Marks(m_block);
        }
        const char* mark = m_block + std::countr_zero(m_marks);
        m_marks &= m_marks - 1;
        return mark;
    }

private:
    // Bit i is set when byte i of the block is a tab, LF or Ctrl-Z.
    static std::uint64_t Marks(const char* block) {
        std::uint64_t marks = 0;
#if defined(__SSE2__)
        for (std::size_t part = 0; part < BlockBytes; part += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + part));
            const __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')),
                                                            _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                               _mm_cmpeq_epi8(bytes, _mm_set1_epi8(CtrlZ)));
            marks |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(found))} << part;
        }
#else
        for (std::size_t i = 0; i < BlockBytes; ++i) {
            const char c = block[i];
            marks |= std::uint64_t{c == '\t' || c == '\n' || c == CtrlZ} << i;
        }
#endif
        return marks;
    }

    const char* m_block;
    std::uint64_t m_marks = 0;
};

// A block of marks loads up to 63 bytes beyond a position before the sentinel LF, the fast
// conversion up to 7; the text file promises that many readable bytes after the sentinel.
static_assert(runtime::TTextFile::ReadAhead >= TFieldMarks::BlockBytes - 1);

// The number texts read before, with their values. A climate series writes its numbers with a
// fixed number of decimals, so its fields repeat a few hundred distinct texts each (the
// 10-million-line benchmark file has 503 temperatures and 620 humidities). A text of up to 8 bytes
// is converted once and then looked up by its bytes, which costs a tenth of a conversion: the
// reading of a file takes a third less time. One slot per text; two texts that share a slot take
// turns, each then converted again.
class TRememberedNumbers {
public:
    explicit TRememberedNumbers(char separator) : m_separator(separator), m_slots(SlotCount) {}

    // The value of the number text [begin, end); false when the fast conversion does not take the
    // whole text.
    bool Convert(const char* begin, const char* end, float& value) {
        const auto length = static_cast<std::size_t>(end - begin);
        if (length == 0 || length > 8) {
            return runtime::FastTextToFloat(begin, m_separator, value) == end;
        }
        // The text's bytes at the top of a word; the bytes after it fall out.
        const std::uint64_t text = runtime::fasttext::Load8(begin) << (64 - 8 * length);
        TSlot& slot = m_slots[(text * 0x9E3779B97F4A7C15u) >> (64 - SlotBits)];
        if (slot.Text == text && slot.Length == length) {
            value = slot.Value;
            return true;
        }
        if (runtime::FastTextToFloat(begin, m_separator, value) != end) {
            return false;
        }
        slot = {text, static_cast<std::uint32_t>(length), value};
        return true;
    }

private:
    struct TSlot {
        std::uint64_t Text = 0;
        std::uint32_t Length = 0; // 0: empty
        float Value = 0.0f;
    };
    // 256 KiB: with 4,096 slots, texts that share a slot cost the benchmark file a fifth more time.
    static constexpr int SlotBits = 14;
    static constexpr std::size_t SlotCount = std::size_t{1} << SlotBits;

    char m_separator;
    std::vector<TSlot> m_slots;
};

// Ordinary lines read in place, from line up to the first line that is not ordinary or that the
// buffer does not hold whole; each goes into the sums and counts in taken. An ordinary line's
// first three marks are tabs, fields 2 and 3 are numbers that the fast conversion takes whole,
// and its LF lies before end, the sentinel LF behind the buffered bytes. What follows the third
// tab does not matter (a CR or Ctrl-Z there changes nothing). Returns the start of the line it
// stopped at.
const char* ReadOrdinaryLines(const char* line, const char* end, TRememberedNumbers& numbers,
                              TPeriodSums& sums, std::int64_t& taken) {
    TFieldMarks marks(line);
    for (;;) {
        const char* const tab1 = marks.Next();
        if (*tab1 != '\t') {
            break;
        }
        const char* const tab2 = marks.Next();
        if (*tab2 != '\t') {
            break;
        }
        const char* const tab3 = marks.Next();
        if (*tab3 != '\t') {
            break;
        }
        const char* lineEnd = marks.Next();
        while (*lineEnd != '\n') {
            lineEnd = marks.Next();
        }
        float temperature = 0.0f;
        float humidity = 0.0f;
        if (lineEnd == end || !numbers.Convert(tab1 + 1, tab2, temperature) ||
            !numbers.Convert(tab2 + 1, tab3, humidity)) {
            break;
        }
        sums.AddLine(temperature, humidity);
        ++taken;
        line = lineEnd + 1;
    }
    return line;
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
void ReadLine(runtime::TTextFile& file, runtime::TTextFile::TLinePiece piece, char separator,
              TPeriodSums& sums) {
    TFieldCollector fields;
    fields.Add(piece.Bytes);
    while (!piece.Complete) {
        file.NextPiece(piece);
        fields.Add(piece.Bytes);
    }
    const float temperature = ConvertField(fields.Field2(), separator, file);
    const float humidity = ConvertField(fields.Field3(), separator, file);
    sums.AddLine(temperature, humidity);
}

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
    // One dataset, in DataSlot; the other slots stay empty.
    state.DatasetCount = 1;
    TPeriodSums sums(state.PeriodRH[DataSlot], state.PeriodTemp[DataSlot], path);
    TRememberedNumbers numbers(separator);
    for (;;) {
        std::int64_t taken = 0;
        const char* next = ReadOrdinaryLines(file.Cursor(), file.BufferEnd(), numbers, sums, taken);
        file.SkipScannedLines(next, taken);
        // One line by the general path: one that is not ordinary, or that crosses the end of the
        // buffer (this also reads on).
        runtime::TTextFile::TLinePiece piece;
        if (!file.NextPiece(piece)) {
            break;
        }
        ReadLine(file, piece, separator, sums);
    }
    file.Close();
    state.LineCount = sums.Finish();
    state.PeriodCapacity = PeriodCapacityFor(state.LineCount);
    // A file of 6 lines or fewer has PeriodCapacity 0, yet the computation and the window use
    // element 1 of the period arrays; they get that element (holding 0) all the same.
    const auto periodLength = static_cast<std::size_t>(std::max(state.PeriodCapacity + 1, 2));
    // The sums end at element CompletePeriodsFor(LineCount) + 1, which is at most PeriodCapacity.
    assert(state.PeriodRH[DataSlot].size() <= periodLength);
    for (TArrayGroup* group : {&state.PeriodRH, &state.PeriodTemp, &state.TempResponse, &state.RHResponse,
                               &state.PeriodDose, &state.MouldIndex}) {
        (*group)[DataSlot].resize(periodLength);
    }
}

} // namespace mouldview::model
