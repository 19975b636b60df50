#include "veltutil/properties/property_format.h"

#include <algorithm>
#include <cassert>
#include <deque>
#include <optional>
#include <string>

#include "veltutil/properties/property_list.h"
#include "veltutil/properties/internal/property_text.h"
#include "veltutil/properties/internal/property_tree.h"

namespace {

using veltutil::detail::PropertyAccess;
namespace text = veltutil::detail;

constexpr long maxPad = 540;
// A streamed display form goes to its writer in pieces of about this size: few calls, and the
// memory it holds stays small next to the text being shown.
constexpr std::size_t pieceSize = 64 * 1024;

// Builds the display form without recursion, whole or streamed. Each nested list is one frame on
// an explicit stack; a frame reads either the items of a list object or, for a list still held
// as text, the items of that text. A list text is read through a brace index of the whole text,
// so that the bytes of a deeply nested text are not counted again at every level.
//
// List texts never contain list objects, so at most one text is open at a time: the one whose
// frames are on top of the stack. It is dropped with its outermost frame.
class Formatter {
public:
    // With a writer the output is handed over piece by piece; without one it is kept for result().
    Formatter(int crlf, PropertyTextWriter write, void* context)
        : eol_(crlf ? "\r\n" : "\n"), write_(write), context_(context) {}

    void item(const CPropertyItem& item, long pad) {
        if (item.IsEmpty()) return;
        emitObject(item, pad);
        run();
    }

    void list(const CPropertyList& list, long pad) {
        frames_.push_back(Frame{PropertyAccess::firstLink(list), 0, 0, pad, false, false, false});
        run();
    }

    void listText(std::string_view listText, long pad) {
        openText(listText, pad, false);
        run();
    }

    CString result() { return CString(std::move(out_)); }

    // Hands what is left to the writer; false when the writer refused a piece, now or before.
    bool finish() { return !refused_ && (out_.empty() || flush()); }

private:
    struct Frame {
        const PropertyAccess::Link* link;  // next node, for a list object
        std::size_t pos, end;               // unread part of text_, for a list text
        long itemPad;
        bool isText;
        bool opensText;  // the outermost frame of text_
        bool closes;     // a nested list, shown between braces
    };

    void run() {
        while (!frames_.empty()) {
            if (write_ && out_.size() >= pieceSize && !flush()) return;
            Frame& frame = frames_.back();
            if (frame.isText ? nextText(frame) : nextObject(frame)) continue;
            const Frame done = frame;
            frames_.pop_back();
            if (done.opensText) index_.reset();
            if (done.closes) closeBrace(done.itemPad - 2);
        }
    }

    bool flush() {
        refused_ = !write_(context_, out_);
        out_.clear();
        if (refused_) frames_.clear();
        return !refused_;
    }

    // Shows the next item of a list text; false at the end of the list.
    bool nextText(Frame& frame) {
        text::ListReader reader(matcher(), frame.pos, frame.end);
        text::ItemFields fields;
        if (!reader.next(fields)) return false;
        frame.pos = reader.position();
        emitText(fields, frame.itemPad);
        return true;
    }

    // Shows the next live item of a list object; false at the end or at an empty item, where the
    // display form of a list ends.
    bool nextObject(Frame& frame) {
        while (frame.link) {
            const CPropertyItem* item = PropertyAccess::liveItem(frame.link);
            frame.link = frame.link->next;
            if (!item) continue;
            if (item->IsEmpty()) break;
            emitObject(*item, frame.itemPad);
            return true;
        }
        frame.link = nullptr;
        return false;
    }

    void emitObject(const CPropertyItem& item, long pad) {
        if (!head(item.GetLabel().view(), item.GetType().view(), pad, item.GetTypeOfValue())) {
            leaf(item.GetValue().view());
            return;
        }
        if (const CPropertyList* nested = PropertyAccess::nestedList(item)) {
            frames_.push_back(Frame{PropertyAccess::firstLink(*nested), 0, 0, pad + 2, false, false, true});
            return;
        }
        openText(PropertyAccess::storedValue(item), pad + 2, true);
    }

    void openText(std::string_view listText, long pad, bool closes) {
        assert(!index_ && "a list text inside a list text is read through the same index");
        text_ = listText;
        index_.emplace(listText);
        frames_.push_back(Frame{nullptr, 0, listText.size(), pad, true, true, closes});
    }

    void emitText(const text::ItemFields& fields, long pad) {
        const bool isList = fields.type == "list";
        if (!head(fields.label, fields.type, pad, isList ? CPropertyItem::TYPE_LIST : CPropertyItem::TYPE_OTHER)) {
            leaf(fields.value);
            return;
        }
        // The nested items lie in the same text: the same brace index serves them.
        const std::size_t begin = static_cast<std::size_t>(fields.value.data() - text_.data());
        frames_.push_back(Frame{nullptr, begin, begin + fields.value.size(), pad + 2, true, false, true});
    }

    text::BraceMatcher matcher() const { return text::BraceMatcher{text_, &*index_}; }

    // Writes the item's "label:type"; for a list also the line of its opening brace. True when
    // the nested items are to follow.
    bool head(std::string_view label, std::string_view type, long pad, CPropertyItem::Type code) {
        padding(pad);
        out_ += label;
        out_ += ':';
        out_ += type;
        if (code != CPropertyItem::TYPE_LIST) return false;
        out_ += eol_;
        padding(pad);
        out_ += '{';
        out_ += eol_;
        return true;
    }

    void leaf(std::string_view value) {
        out_ += '{';
        out_ += value;
        out_ += '}';
        out_ += eol_;
    }

    void closeBrace(long pad) {
        padding(pad);
        out_ += '}';
        out_ += eol_;
    }

    void padding(long pad) { out_.append(static_cast<std::size_t>(std::clamp(pad, 0L, maxPad)), ' '); }

    const char* eol_;
    PropertyTextWriter write_;
    void* context_;
    bool refused_ = false;
    std::string out_;
    // A deque never moves its frames, so a deep nest never holds two copies of its stack.
    std::deque<Frame> frames_;
    std::string_view text_;
    std::optional<text::BraceIndex> index_;
};

}  // namespace

CString formatPropertyItem(const CPropertyItem& item, int indent, int crlf) {
    Formatter formatter(crlf, nullptr, nullptr);
    formatter.item(item, indent);
    return formatter.result();
}

CString formatPropertyList(const CPropertyList& list, int indent, int crlf) {
    Formatter formatter(crlf, nullptr, nullptr);
    formatter.list(list, static_cast<long>(indent) + 1);
    return formatter.result();
}

int formatPropertyListText(const CString& text, int indent, int crlf, PropertyTextWriter write, void* context) {
    Formatter formatter(crlf, write, context);
    formatter.listText(text.view(), static_cast<long>(indent) + 1);
    return formatter.finish() ? 1 : 0;
}
