// The climate file reader. Most lines take the fast path: the line lies whole in the read buffer,
// its first field holds no CR or Ctrl-Z, and both numbers are ordinary; such a line is parsed in
// place without copying. Every other line goes through the general path, which applies the line
// rules piece by piece and keeps only the texts of fields 2 and 3, so a line of any length costs
// no more memory than those two fields.
#include "model/ClimateFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mouldview::model {

namespace {

constexpr std::size_t MaxLines = std::numeric_limits<std::int32_t>::max();

// Finds the tab that ends field 1, eight bytes at a time. Every byte that matters here is a control
// character (tab, CR, LF, Ctrl-Z are all below 32); the first such byte decides. Returns nullptr
// when that is not a tab: a CR, LF or Ctrl-Z in field 1 (or any other control character) sends
// the line to the general path.
const char* EndOfFirstField(const char* p) {
    for (;; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        // The lowest byte below 0x20 gets its high bit set (borrows only run upwards).
        const std::uint64_t control = (word - 0x2020202020202020u) & ~word & 0x8080808080808080u;
        if (control != 0) {
            const char* at = p + std::countr_zero(control) / 8;
            return *at == '\t' ? at : nullptr;
        }
    }
}

// Parses fields 2 and 3 of a line that starts at p and lies in the buffer, and returns the
// character after the tab that ends field 3, or nullptr when the line needs the general path.
// Every scan stops at a CR or LF, and the buffer ends in one.
const char* ParseOrdinaryLine(const char* p, char separator, float& temperature, float& humidity) {
    p = EndOfFirstField(p);
    if (p == nullptr) {
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
    return p + 1;
}

#if defined(__SSE2__)
// Bit i is set where byte i of the 32 bytes at p equals c.
std::uint32_t Matches(__m128i low, __m128i high, char c) {
    const __m128i pattern = _mm_set1_epi8(c);
    const auto lowBits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, pattern)));
    const auto highBits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, pattern)));
    return lowBits | highBits << 16;
}

// Bit i is set where byte i of the 32 bytes is a control character (below 32).
std::uint32_t ControlMatches(__m128i low, __m128i high) {
    const __m128i limit = _mm_set1_epi8(31);
    const auto lowBits =
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(low, limit), low)));
    const auto highBits =
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(high, limit), high)));
    return lowBits | highBits << 16;
}

// Bit i is set where byte i of the 32 bytes is a decimal digit.
std::uint32_t DigitMatches(__m128i low, __m128i high) {
    const __m128i zero = _mm_set1_epi8('0');
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i lowValues = _mm_sub_epi8(low, zero);
    const __m128i highValues = _mm_sub_epi8(high, zero);
    const auto lowBits = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(lowValues, nine), lowValues)));
    const auto highBits = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(highValues, nine), highValues)));
    return lowBits | highBits << 16;
}

// The number in bytes begin to end (a field between tabs) when it is a sign, up to 7 digits,
// and optionally the separator and up to 7 more digits, read from the byte masks of the line.
// Gives the same value as FastTextToFloat (the same integer and power of ten go into the same
// quotient); false for any other form, which FastTextToFloat then takes.
bool ShortNumber(const char* p, int begin, int end, std::uint32_t digits, std::uint32_t separators,
                 float& value) {
    const bool negative = p[begin] == '-';
    begin += static_cast<int>(negative || p[begin] == '+');
    if (begin >= end) {
        return false;
    }
    const std::uint32_t field = ((std::uint32_t{1} << end) - 1) & ~((std::uint32_t{1} << begin) - 1);
    const std::uint32_t separator = separators & field;
    if ((field & ~(digits | separator)) != 0 || (separator & (separator - 1)) != 0) {
        return false;
    }
    const int separatorAt = separator != 0 ? std::countr_zero(separator) : end;
    const int integerCount = separatorAt - begin;
    const int fractionCount = separator != 0 ? end - separatorAt - 1 : 0;
    if (integerCount > 7 || fractionCount > 7 || integerCount + fractionCount == 0) {
        return false;
    }
    using namespace runtime::fasttext;
    std::uint64_t mantissa = 0;
    if (end - begin <= 8) {
        // The whole number lies in one word: drop the separator byte (if any) by moving the bytes
        // above it down by one, and read all digits at once.
        const std::uint64_t word = Load8(p + begin);
        const int separatorByte = separatorAt - begin;
        const std::uint64_t below =
            separatorByte >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * separatorByte)) - 1;
        mantissa = DigitsValue((word & below) | ((word >> 8) & ~below), integerCount + fractionCount);
    } else {
        mantissa = integerCount > 0 ? DigitsValue(Load8(p + begin), integerCount) : 0;
        if (fractionCount > 0) {
            mantissa = mantissa * PowersOfTenInteger[fractionCount] +
                       DigitsValue(Load8(p + separatorAt + 1), fractionCount);
        }
    }
    const float magnitude = Quotient(mantissa, fractionCount);
    value = negative ? -magnitude : magnitude;
    return true;
}

// Reads short lines (shorter than 32 bytes, line end included) with two 16-byte loads: masks of
// a line's tabs and line end give its fields and the next line's start at once, so the chain
// from one line's start to the next is a handful of instructions and the numbers are converted
// beside it. A climate series writes its numbers with a fixed number of decimals, so few distinct
// texts occur (a few hundred temperatures, a thousand humidities); the parser remembers the value
// of each short text it has converted, keyed by the text's bytes, and most fields cost
// one table look-up. The value remembered is the one the conversion gave for the same text.
class TShortLineParser {
public:
    explicit TShortLineParser(char separator)
        : m_separator(separator), m_memoStorage(new TEntry[MemoSize]), m_memo(m_memoStorage.get()) {}

    // Returns the next line's start, or nullptr when the line is not both short and ordinary
    // (then the byte-wise scan decides).
    const char* Parse(const char* p, float& temperature, float& humidity) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        // The first control character other than a tab must end the line: an LF, or a CR right
        // before one. Any other (a CR or Ctrl-Z inside the fields, or the line going on beyond
        // these 32 bytes) leaves the line to the byte-wise scan.
        const std::uint32_t tabs = Matches(low, high, '\t');
        const std::uint32_t controls = ControlMatches(low, high) & ~tabs;
        if (controls == 0) {
            return nullptr;
        }
        int end = std::countr_zero(controls);
        if (p[end] == '\r' && end < 31 && p[end + 1] == '\n') {
            ++end;
        } else if (p[end] != '\n') {
            return nullptr;
        }
        std::uint32_t fieldTabs = tabs & ((std::uint32_t{1} << end) - 1);
        const int tab1 = std::countr_zero(fieldTabs);
        fieldTabs &= fieldTabs - 1;
        const int tab2 = std::countr_zero(fieldTabs);
        fieldTabs &= fieldTabs - 1;
        if (fieldTabs == 0) {
            return nullptr; // fewer than three tabs
        }
        const int tab3 = std::countr_zero(fieldTabs);
        if (!Field(p, tab1 + 1, tab2, low, high, temperature) ||
            !Field(p, tab2 + 1, tab3, low, high, humidity)) {
            return nullptr;
        }
        return p + end + 1;
    }

    // Parses windows of lines from start (see ParseWindow) while 64 bytes before limit remain and
    // a window gives lines; moves start to the next line's start and returns the number of lines
    // taken. A call of its own keeps the registers free for the loop over the lines.
    [[gnu::noinline]] std::size_t ParseWindows(const char*& start, const char* limit, float* temperatures,
                                               float* humidities) {
        const char* p = start;
        std::size_t total = 0;
        while (limit - p >= 64) {
            const std::size_t count = ParseWindow(p, temperatures + total, humidities + total);
            if (count == 0) {
                break;
            }
            total += count;
        }
        start = p;
        return total;
    }

private:
    // Parses the lines that lie whole in the 64 bytes at start, from masks of those bytes made
    // once: a window of about three climate lines costs one set of vector loads and compares, and
    // each line then costs a few bit operations besides its two look-ups. Takes lines up to the
    // first one that is not short and ordinary, or up to a NUL or Ctrl-Z. Writes the values, moves
    // start to the next line's start and returns the number of lines taken. The 64 bytes must
    // lie in the buffer before its end.
    [[gnu::always_inline]] std::size_t ParseWindow(const char*& start, float* temperatures,
                                                   float* humidities) {
        const char* const p = start;
        const __m128i block0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i block1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        const __m128i block2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
        const __m128i block3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 48));
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i lineFeed = _mm_set1_epi8('\n');
        const __m128i tabs0 = _mm_cmpeq_epi8(block0, tab);
        const __m128i tabs1 = _mm_cmpeq_epi8(block1, tab);
        const __m128i tabs2 = _mm_cmpeq_epi8(block2, tab);
        const __m128i tabs3 = _mm_cmpeq_epi8(block3, tab);
        const __m128i ends0 = _mm_cmpeq_epi8(block0, lineFeed);
        const __m128i ends1 = _mm_cmpeq_epi8(block1, lineFeed);
        const __m128i ends2 = _mm_cmpeq_epi8(block2, lineFeed);
        const __m128i ends3 = _mm_cmpeq_epi8(block3, lineFeed);
        std::uint64_t tabs = Mask64(tabs0, tabs1, tabs2, tabs3);
        std::uint64_t ends = Mask64(ends0, ends1, ends2, ends3);
        // Of the other control characters only two change what a line here gives: a Ctrl-Z, which
        // cuts a line or ends the file, and a NUL, which would make two texts one key of the
        // remembered values. Any other (a CR before the LF or alone, ...) lies in field 1 or after
        // field 3, where it does not matter, or in field 2 or 3, whose conversion then fails and
        // leaves the line to the byte-wise scan.
        const __m128i zero = _mm_setzero_si128();
        const __m128i ctrlZ = _mm_set1_epi8('\x1a');
        const __m128i stops = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block0, zero), _mm_cmpeq_epi8(block0, ctrlZ)),
                         _mm_or_si128(_mm_cmpeq_epi8(block1, zero), _mm_cmpeq_epi8(block1, ctrlZ))),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block2, zero), _mm_cmpeq_epi8(block2, ctrlZ)),
                         _mm_or_si128(_mm_cmpeq_epi8(block3, zero), _mm_cmpeq_epi8(block3, ctrlZ))));
        if (_mm_movemask_epi8(stops) != 0) {
            ends &= BelowStops(block0, block1, block2, block3);
        }
        std::size_t count = 0;
        int next = 0;
        while (ends != 0) {
            // The line end's own bit stops each search for a tab: a tab found there is missing.
            const std::uint64_t endBit = ends & (0 - ends);
            const int end = __builtin_ctzll(endBit);
            const int tab1 = __builtin_ctzll(tabs | endBit);
            tabs &= tabs - 1;
            const int tab2 = __builtin_ctzll(tabs | endBit);
            tabs &= tabs - 1;
            const int tab3 = __builtin_ctzll(tabs | endBit);
            if (tab3 == end || !WindowField(p, tab1 + 1, tab2, temperatures[count]) ||
                !WindowField(p, tab2 + 1, tab3, humidities[count])) {
                break;
            }
            ++count;
            next = end + 1;
            ends &= ends - 1;
            tabs &= ~std::uint64_t{1} << end; // drops the line's further tabs
        }
        start = p + next;
        return count;
    }

    // The 64 bits of four byte masks (all-ones or zero bytes).
    static std::uint64_t Mask64(__m128i mask0, __m128i mask1, __m128i mask2, __m128i mask3) {
        const auto bits0 = static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(mask0)));
        const auto bits1 = static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(mask1)));
        const auto bits2 = static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(mask2)));
        const auto bits3 = static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(mask3)));
        return bits0 | bits1 << 16 | bits2 << 32 | bits3 << 48;
    }

    // Where the window holds a NUL or a Ctrl-Z, the bits below the first one, so that only the
    // lines before it are taken.
    [[gnu::noinline]] static std::uint64_t BelowStops(__m128i block0, __m128i block1, __m128i block2,
                                                      __m128i block3) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i ctrlZ = _mm_set1_epi8('\x1a');
        const std::uint64_t stops =
            Mask64(_mm_or_si128(_mm_cmpeq_epi8(block0, zero), _mm_cmpeq_epi8(block0, ctrlZ)),
                   _mm_or_si128(_mm_cmpeq_epi8(block1, zero), _mm_cmpeq_epi8(block1, ctrlZ)),
                   _mm_or_si128(_mm_cmpeq_epi8(block2, zero), _mm_cmpeq_epi8(block2, ctrlZ)),
                   _mm_or_si128(_mm_cmpeq_epi8(block3, zero), _mm_cmpeq_epi8(block3, ctrlZ)));
        return (stops & (0 - stops)) - 1;
    }

    // A field's key is its text of 1 to 8 bytes moved to the top of a word, zero bytes below: no
    // field read here holds a NUL, so the zero bytes give the length, and 0 is no field's key (an
    // empty entry). A shift by the length costs less than a mask looked up by it.
    static std::uint64_t Key(const char* text, std::size_t length) {
        return runtime::fasttext::Load8(text) << (64 - 8 * length);
    }
    struct TEntry {
        std::uint64_t Text = 0;
        float Value = 0.0f;
    };
    static constexpr std::size_t MemoSize = 16384;

    // Inlined into Parse: a call per field would cost more than the look-up itself.
    [[gnu::always_inline]] bool Field(const char* p, int begin, int end, __m128i low, __m128i high,
                                      float& value) {
        const int length = end - begin;
        if (length < 1 || length > 8) {
            return Convert(p, begin, end, low, high, value);
        }
        const std::uint64_t text = Key(p + begin, static_cast<std::size_t>(length));
        TEntry& entry = Entry(text);
        if (entry.Text == text) {
            value = entry.Value;
            return true;
        }
        if (!Convert(p, begin, end, low, high, value)) {
            return false;
        }
        entry = {text, value};
        return true;
    }

    // The same for a field of a line in a window, whose masks do not serve ShortNumber.
    [[gnu::always_inline]] bool WindowField(const char* p, int begin, int end, float& value) {
        const auto length = static_cast<unsigned>(end - begin);
        if (length - 1 < 8) [[likely]] {
            const std::uint64_t text = Key(p + begin, length);
            const TEntry& entry = Entry(text);
            if (entry.Text == text) [[likely]] {
                value = entry.Value;
                return true;
            }
        }
        return ConvertAndRemember(p + begin, p + end, value);
    }

    // A field not remembered yet: converted, and remembered when it is short.
    [[gnu::noinline]] bool ConvertAndRemember(const char* begin, const char* end, float& value) {
        if (runtime::FastTextToFloat(begin, m_separator, value) != end) {
            return false;
        }
        const auto length = static_cast<std::size_t>(end - begin);
        if (length - 1 < 8) {
            const std::uint64_t text = Key(begin, length);
            Entry(text) = {text, value};
        }
        return true;
    }

    // One slot per text. Two texts that share a slot drive each other out, and each then costs a
    // conversion (about 11 ns) where a look-up costs about 1; a second slot, looked at on every
    // look-up, costs more than these conversions: the 10-million-line file reads 5 % slower with
    // two slots, though it converts 1,148 texts instead of 221,118.
    TEntry& Entry(std::uint64_t text) { return m_memo[(text * 0x9E3779B97F4A7C15u) >> 50]; }

    [[gnu::noinline]] bool Convert(const char* p, int begin, int end, __m128i low, __m128i high,
                                   float& value) const {
        return ShortNumber(p, begin, end, DigitMatches(low, high), Matches(low, high, m_separator), value) ||
               runtime::FastTextToFloat(p + begin, m_separator, value) == p + end;
    }

    char m_separator;
    std::unique_ptr<TEntry[]> m_memoStorage;
    TEntry* m_memo;
};
#endif

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

} // namespace

std::int32_t PeriodCapacityFor(std::int32_t lineCount) {
    const std::int32_t quotient = lineCount / 12;
    const std::int32_t remainder = lineCount % 12;
    if (remainder > 6 || (remainder == 6 && quotient % 2 == 1)) {
        return quotient + 1;
    }
    return quotient;
}

void ReadClimateFile(TModelState& state, const std::string& path, char separator, std::size_t bufferSize) {
    runtime::TTextFile file(path, bufferSize);
    state.DatasetCount = 1;
    for (int slot = 1; slot <= state.DatasetCount; ++slot) {
        TFloatArray& hourlyTemp = state.HourlyTemp[slot];
        TFloatArray& hourlyRH = state.HourlyRH[slot];
        // Element 0 carries no data; each line then grows the arrays by one element.
        hourlyTemp.SetLength(1);
        hourlyRH.SetLength(1);
        std::size_t n = 0;
#if defined(__SSE2__)
        TShortLineParser shortLines(separator);
#endif
        const auto addLine = [&](float temperature, float humidity) __attribute__((always_inline)) {
            if (++n > MaxLines) {
                RaiseTooManyLines(path);
            }
            hourlyTemp.Append(temperature);
            hourlyRH.Append(humidity);
        };
        for (;;) {
            // Whole ordinary lines straight from the buffer. What follows field 3's tab does not
            // matter (a CR or Ctrl-Z there changes nothing), so only the LF is looked for.
            const char* const bufferEnd = file.BufferEnd();
            const char* p = file.Cursor();
            // Every line taken here holds at least six bytes (three tabs, two numbers, the LF),
            // which bounds the lines one buffer can give; the arrays get room for them first and
            // the values are written straight into it.
            const auto room = static_cast<std::size_t>(bufferEnd - p) / 6 + 1;
            float* const temperatures = hourlyTemp.Tail(room);
            float* const humidities = hourlyRH.Tail(room);
            std::size_t scanned = 0;
            for (;;) {
#if defined(__SSE2__)
                if (bufferEnd - p >= 64) {
                    scanned +=
                        shortLines.ParseWindows(p, bufferEnd, temperatures + scanned, humidities + scanned);
                }
                if (const char* next = shortLines.Parse(p, temperatures[scanned], humidities[scanned]);
                    next != nullptr && next <= bufferEnd) {
                    p = next;
                    ++scanned;
                    continue;
                }
#endif
                const char* rest =
                    ParseOrdinaryLine(p, separator, temperatures[scanned], humidities[scanned]);
                if (rest == nullptr) {
                    break;
                }
                while (*rest != '\n') {
                    ++rest;
                }
                if (rest == bufferEnd) {
                    break; // the line goes on beyond the buffer
                }
                p = rest + 1;
                ++scanned;
            }
            hourlyTemp.GrowBy(scanned);
            hourlyRH.GrowBy(scanned);
            n += scanned;
            if (n > MaxLines) {
                RaiseTooManyLines(path);
            }
            file.SkipScannedLines(p, static_cast<std::int64_t>(scanned));
            // One line by the general path: one that is not ordinary, or that crosses the end of
            // the buffer (this also reads on).
            runtime::TTextFile::TLinePiece piece;
            if (!file.NextPiece(piece)) {
                break;
            }
            float temperature = 0.0f;
            float humidity = 0.0f;
            ParseLine(file, piece, separator, temperature, humidity);
            addLine(temperature, humidity);
        }
        state.LineCount = static_cast<std::int32_t>(n);
        state.PeriodCapacity = PeriodCapacityFor(state.LineCount);
        // A file of 6 lines or fewer has PeriodCapacity 0, yet the computation and the window use
        // element 1 of the period arrays; they get that element (holding 0) all the same.
        const auto periodLength = static_cast<std::size_t>(std::max(state.PeriodCapacity + 1, 2));
        for (TArrayGroup* group : {&state.PeriodRH, &state.PeriodTemp, &state.TempResponse, &state.RHResponse,
                                   &state.PeriodDose, &state.MouldIndex}) {
            (*group)[slot].SetLength(periodLength);
        }
    }
    file.Close();
}

} // namespace mouldview::model
