// The line rules of TTextFile against a direct model of them, on hand-picked and random files,
// with read buffers from 2 bytes up. Its open and read failures are checked end to end.
#include "platform/runtime/TextFile.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using mouldview::runtime::TTextFile;

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "textfile_" + std::to_string(::getpid()) + "_" + name;
}

std::string WriteFile(const std::string& name, const std::string& content) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// The rules written out plainly, one byte at a time.
std::vector<std::string> ExpectedLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < content.size()) {
        if (content[i] == 26) {
            break;
        }
        std::string line;
        bool cut = false;
        while (i < content.size() && content[i] != '\n') {
            const char c = content[i++];
            if (c == 26) {
                cut = true;
            } else if (c != '\r' && !cut) {
                line.push_back(c);
            }
        }
        ++i; // the LF, or past the end
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ReadAll(const std::string& path, std::size_t bufferSize) {
    TTextFile file(path, bufferSize);
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line)) {
        lines.push_back(line);
        EXPECT_EQ(file.LineNumber(), static_cast<std::int64_t>(lines.size()));
    }
    EXPECT_FALSE(file.ReadLine(line)); // stays at the end
    return lines;
}

TEST(TextFile, LineRules) {
    struct Case {
        std::string content;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\n\n", {"a", ""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\n", {"ab"}},       // a lone CR is dropped
        {"a\r\r\nb", {"a", "b"}}, // CR CR LF: the first CR is lone
        {"a\r", {"a"}},           // a CR at the very end is lone too
        {"a\n\x1a"
         "b\nc\n",
         {"a"}}, // Ctrl-Z at a line start ends the file
        {"\x1a", {}},
        {"a\x1a"
         "b\nc\n",
         {"a", "c"}}, // inside a line it cuts only that line
        {"a\tb\x1a\r\nc", {"a\tb", "c"}},
    };
    for (const Case& c : cases) {
        const std::string path = WriteFile("rules", c.content);
        for (const std::size_t bufferSize : {2u, 3u, 5u, 64u, 1u << 20}) {
            EXPECT_EQ(ReadAll(path, bufferSize), c.lines) << "buffer " << bufferSize;
        }
        std::remove(path.c_str());
    }
}

TEST(TextFile, RandomFilesMatchTheRules) {
    std::mt19937 random(42);
    const char alphabet[] = {'a', 'b', '\t', '\r', '\n', 26, '0', ' '};
    for (int round = 0; round < 400; ++round) {
        std::string content(random() % 200, ' ');
        for (char& c : content) {
            // Ctrl-Z rarely, so that most files run to their end.
            c = alphabet[random() % (random() % 10 == 0 ? 8 : 5)];
        }
        const std::string path = WriteFile("random", content);
        const auto expected = ExpectedLines(content);
        for (const std::size_t bufferSize : {2u, 3u, 4u, 7u, 16u, 4096u}) {
            ASSERT_EQ(ReadAll(path, bufferSize), expected) << "round " << round << " buffer " << bufferSize;
        }
        std::remove(path.c_str());
    }
}

TEST(TextFile, LinesLongerThanTheBufferComeInPieces) {
    const std::string longLine(100000, 'x');
    const std::string path = WriteFile("long", longLine + "\r\nshort\n" + longLine);
    TTextFile file(path, 4096);
    TTextFile::TLinePiece piece;
    std::string assembled;
    int pieces = 0;
    do {
        ASSERT_TRUE(file.NextPiece(piece));
        assembled.append(piece.Bytes);
        ++pieces;
        // The byte after every piece is a CR or LF, and ReadAhead more can be read: scanners rely
        // on it (under AddressSanitizer a short buffer fails here).
        const char* after = piece.Bytes.data() + piece.Bytes.size();
        EXPECT_TRUE(*after == '\r' || *after == '\n');
        volatile char last = after[TTextFile::ReadAhead];
        (void)last;
    } while (!piece.Complete);
    EXPECT_EQ(assembled, longLine);
    EXPECT_GT(pieces, 20);
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "short");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, longLine);
    EXPECT_EQ(file.LineNumber(), 3);
    EXPECT_FALSE(file.ReadLine(line));
    std::remove(path.c_str());
}

} // namespace
