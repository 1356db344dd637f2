// The climate file reader. Most lines take the fast path: the line lies whole in the read buffer,
// its first field holds no CR or Ctrl-Z, and both numbers are ordinary; such a line is parsed in
// place without copying. Every other line goes through the general path, which applies the line
// rules piece by piece and keeps only the texts of fields 2 and 3, so a line of any length costs
// no more memory than those two fields.
#include "model/ClimateFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"

#include <limits>

namespace mouldview::model {

namespace {

constexpr char CtrlZ = 26;

// Parses a whole line lying in the buffer. False when the line needs the general path; the byte
// after the line is a CR or LF, which stops every scan below.
bool ParseOrdinaryLine(const char* p, char separator, float& temperature, float& humidity) {
    for (;; ++p) {
        const char c = *p;
        if (c == '\t') {
            break;
        }
        if (c == '\r' || c == '\n' || c == CtrlZ) {
            return false;
        }
    }
    p = runtime::FastTextToFloat(p + 1, separator, temperature);
    if (p == nullptr || *p != '\t') {
        return false;
    }
    p = runtime::FastTextToFloat(p + 1, separator, humidity);
    return p != nullptr && *p == '\t';
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
        std::size_t n = 0;
        runtime::TTextFile::TLinePiece piece;
        while (file.NextPiece(piece)) {
            ++n;
            if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
                runtime::ERunError error("Too many lines: the line count exceeds 2147483647");
                error.SetLocation(path, 0);
                throw error;
            }
            hourlyTemp.SetLength(n + 1);
            hourlyRH.SetLength(n + 1);
            float temperature = 0.0f;
            float humidity = 0.0f;
            if (!piece.Complete || !ParseOrdinaryLine(piece.Bytes.data(), separator, temperature, humidity)) {
                ParseLine(file, piece, separator, temperature, humidity);
            }
            hourlyTemp[n] = temperature;
            hourlyRH[n] = humidity;
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
