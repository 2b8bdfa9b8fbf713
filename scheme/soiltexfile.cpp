#include "scheme/soiltex.h"
#include "util/numbertext.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

namespace {

const std::string kTextureWord = "[texture]";
const std::string kBorderWord = "[border]";
const std::string kCloseWord = "#";
const std::string kEqualsWord = "=";

// Items of a scheme file straight from the stream buffer: whole lines and words. White space is
// that of the C locale whatever the stream's locale, and a CR before a LF never belongs to a line.
class SchemeItems {
public:
    explicit SchemeItems(std::streambuf* buffer) : mBuffer(buffer) {}

    // The next word; false at the end of the stream.
    bool NextWord(std::string* word) {
        word->clear();
        int c = mBuffer->sgetc();
        while (c != EOF && IsSpace(c)) {
            if (c == '\n')
                ++mLine;
            c = mBuffer->snextc();
        }
        while (c != EOF && !IsSpace(c)) {
            word->push_back(char(c));
            c = mBuffer->snextc();
        }
        return !word->empty();
    }

    // The rest of the current line without its line end, which is consumed; false at the end of
    // the stream.
    bool RestOfLine(std::string* line) {
        line->clear();
        int c = mBuffer->sgetc();
        if (c == EOF)
            return false;
        while (c != EOF && c != '\n') {
            line->push_back(char(c));
            c = mBuffer->snextc();
        }
        if (c == '\n') {
            mBuffer->sbumpc();
            ++mLine;
        }
        if (!line->empty() && line->back() == '\r')
            line->pop_back();
        return true;
    }

    // The line of the last word read (1 for the first line of the stream).
    std::size_t Line() const { return mLine; }

private:
    static bool IsSpace(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

    std::streambuf* mBuffer;
    std::size_t mLine = 1;
};

// A coordinate word must be wholly a number: "1O0" is a typing mistake, not 1, and "NaN" is not
// a number at all. Such a word reads as NaN, which makes the scheme invalid.
double Coordinate(const std::string& word) {
    double value = 0.0;
    if (!numbertext::ParseWhole(word, &value))
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

void ReadBorderRules(SchemeItems* items, std::vector<BorderRule>* rules) {
    bool newRule = true;
    bool afterEquals = false;
    std::string word;
    while (items->NextWord(&word)) {
        if (word == kCloseWord) {
            newRule = true;
            afterEquals = false;
        } else if (word == kEqualsWord) {
            afterEquals = true;
        } else {
            if (newRule) {
                rules->emplace_back();
                newRule = false;
            }
            const int32_t id = numbertext::LeadingInteger(word);
            (afterEquals ? rules->back().keepIds : rules->back().classIds).push_back(id);
        }
    }
}

} // namespace

void soiltex::LoadScheme(std::iostream& in) {
    LoadScheme(in, nullptr);
}

void soiltex::LoadScheme(std::iostream& in, std::vector<SchemeWordProblem>* problems) {
    if (problems != nullptr)
        problems->clear();
    if (!in || in.rdbuf() == nullptr)
        throw std::ios_base::failure("soiltex::LoadScheme");
    SchemeItems items(in.rdbuf());
    std::string item;
    bool found = false;
    while (!found && items.NextWord(&item))
        found = item == kTextureWord;
    if (!found) {
        in.setstate(std::ios_base::eofbit);
        throw std::domain_error("soiltex::LoadScheme");
    }

    Clear();
    // Header lines and class names are whole lines (k < 5); ids and coordinates are words.
    TextureClass pending;
    pending.id = -1;
    double pendingX = 0.0;
    bool expectX = true;
    int k = 0;
    for (;;) {
        const bool more = k < 5 ? items.RestOfLine(&item) : items.NextWord(&item);
        if (!more)
            break;
        if (k < 5 && item.empty())
            continue;
        if (item == kBorderWord) {
            ReadBorderRules(&items, &mBorders);
            break;
        }
        switch (k) {
        case 0:
            mName = item;
            break;
        case 1:
            mXName = item;
            break;
        case 2:
            mYName = item;
            break;
        case 3:
            mZName = item;
            break;
        case 4:
            pending.name = item;
            break;
        case 5:
            pending.id = numbertext::LeadingInteger(item);
            break;
        default:
            if (item == kCloseWord) {
                mClasses.push_back(pending);
                pending.region.Clear();
                pendingX = 0.0;
                expectX = true;
                k = 4;
                continue;
            }
            const double value = Coordinate(item);
            if (value != value && problems != nullptr)
                problems->push_back({items.Line(), item, mClasses.size()});
            if (expectX) {
                pendingX = value;
            } else {
                pending.region.Add(pendingX, value);
            }
            expectX = !expectX;
            break;
        }
        ++k;
    }
    // Words of a class that was never closed were not kept.
    if (problems != nullptr) {
        problems->erase(std::remove_if(problems->begin(), problems->end(),
                                       [this](const SchemeWordProblem& p) {
                                           return p.classIndex >= mClasses.size();
                                       }),
                        problems->end());
    }
    in.setstate(std::ios_base::eofbit);
}

void soiltex::SaveScheme(std::iostream& out) const {
    if (!out)
        throw std::ios_base::failure("soiltex::SaveScheme");
    const char* const lineEnd = "\r\n";
    out << kTextureWord << lineEnd << mName << lineEnd << mXName << lineEnd << mYName << lineEnd
        << mZName << lineEnd << lineEnd;
    for (const TextureClass& c : mClasses) {
        out << c.name << lineEnd << c.id << lineEnd;
        for (const point& v : c.region.Vertices())
            out << v.x << ' ' << v.y << lineEnd;
        out << kCloseWord << lineEnd;
    }
    if (!mBorders.empty()) {
        out << kBorderWord << lineEnd;
        for (const BorderRule& rule : mBorders) {
            for (int32_t id : rule.classIds)
                out << id << ' ';
            out << kEqualsWord << ' ';
            for (std::size_t i = 0; i < rule.keepIds.size(); ++i)
                out << (i > 0 ? " " : "") << rule.keepIds[i];
            out << lineEnd << kCloseWord << lineEnd;
        }
    }
    out.flush();
    // A scheme that was only partly written must not pass for saved.
    if (!out)
        throw std::ios_base::failure("soiltex::SaveScheme");
}
