#pragma once

#include <string>
#include <string_view>

namespace yanchuan {

// How a kill log's GBK text, whose lines end in CR LF, shows in an edit box:
// UTF-8 with one LF per line end. It follows the log piece by piece, so that an
// append converts only what was appended: a CR LF split across two appends
// still makes one line break, and a lead byte that ends an append waits for its
// trail byte in the next one.
class KillLogDisplay final {
public:
    // The whole text, after the log was replaced.
    std::string Replace(std::string_view gbk);
    // What an append adds to the box.
    std::string Append(std::string_view gbk);
    // The box itself holds the log's new text (the user's own edit): later
    // appends go on from its end.
    void TakeOver(std::string_view gbk);

private:
    bool m_afterCr = false;
    std::string m_heldLead;
};

// The box's text back as a log's text: GBK, each line break a CR LF, and "?"
// for every character that GBK lacks.
std::string KillLogFromDisplay(std::string_view utf8);

} // namespace yanchuan
