#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "veltutil/properties/property_list.h"
#include "veltutil/properties/internal/property_text.h"
#include "veltutil/properties/internal/property_tree.h"

namespace {

using veltutil::detail::PropertyAccess;
namespace text = veltutil::detail;

constexpr long maxPad = 540;

// Builds the display form without recursion. Each nested list is one frame on an explicit stack;
// a frame reads either the items of a list object or, for a list still held as value text, the
// items of that text (through a brace index of the whole text, so that the bytes of a deeply
// nested text are not counted again at every level).
class Formatter {
public:
    explicit Formatter(int crlf) : eol_(crlf ? "\r\n" : "\n") {}

    void item(const CPropertyItem& item, long pad) {
        if (item.IsEmpty()) return;
        emitObject(item, pad);
        run();
    }

    void list(const CPropertyList& list, long pad) {
        frames_.push_back(objectFrame(list, pad, -1));
        run();
    }

    CString result() { return CString(std::move(out_)); }

private:
    struct Frame {
        const PropertyAccess::Link* link;          // next node of a list object
        std::optional<text::ListReader> reader;  // or the reader of a list text
        long itemPad;
        long closePad;  // pad of the closing brace, -1 for the outermost list
    };

    static Frame objectFrame(const CPropertyList& list, long itemPad, long closePad) {
        return Frame{PropertyAccess::firstLink(list), std::nullopt, itemPad, closePad};
    }

    void run() {
        while (!frames_.empty()) {
            Frame& frame = frames_.back();
            long pad = frame.itemPad;
            if (frame.reader) {
                text::ItemFields fields;
                if (frame.reader->next(fields)) {
                    emitText(fields, pad);
                    continue;
                }
            } else if (const CPropertyItem* next = nextObject(frame)) {
                emitObject(*next, pad);
                continue;
            }
            long close = frame.closePad;
            frames_.pop_back();
            if (close >= 0) closeBrace(close);
        }
    }

    // The next live item of a list object; null at the end or at an empty item, where the
    // display form of a list ends.
    static const CPropertyItem* nextObject(Frame& frame) {
        while (frame.link) {
            const CPropertyItem* item = PropertyAccess::liveItem(frame.link);
            frame.link = frame.link->next;
            if (item) return item->IsEmpty() ? nullptr : item;
        }
        return nullptr;
    }

    void emitObject(const CPropertyItem& item, long pad) {
        if (!head(item.GetLabel().view(), item.GetType().view(), pad, item.GetTypeOfValue())) {
            leaf(item.GetValue().view());
            return;
        }
        if (const CPropertyList* nested = PropertyAccess::nestedList(item)) {
            frames_.push_back(objectFrame(*nested, pad + 2, pad));
            return;
        }
        std::string_view value = PropertyAccess::storedValue(item).view();
        indexes_.push_back(std::make_unique<text::BraceIndex>(value));
        text::BraceMatcher matcher{value, indexes_.back().get()};
        frames_.push_back(Frame{nullptr, text::ListReader(matcher, 0, value.size()), pad + 2, pad});
    }

    void emitText(const text::ItemFields& fields, long pad) {
        bool isList = !fields.label.empty() && fields.type == "list";
        if (!head(fields.label, fields.type, pad, isList ? CPropertyItem::TYPE_LIST : CPropertyItem::TYPE_OTHER)) {
            leaf(fields.value);
            return;
        }
        // The nested items lie in the same text: the same brace index serves them.
        const text::ListReader& parent = *frames_.back().reader;
        text::BraceMatcher matcher = parent.matcher();
        std::size_t begin = static_cast<std::size_t>(fields.value.data() - matcher.text.data());
        frames_.push_back(Frame{nullptr, text::ListReader(matcher, begin, begin + fields.value.size()), pad + 2, pad});
    }

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
    std::string out_;
    std::vector<Frame> frames_;
    std::vector<std::unique_ptr<text::BraceIndex>> indexes_;
};

}  // namespace

CString formatPropertyItem(const CPropertyItem& item, int indent, int crlf) {
    Formatter formatter(crlf);
    formatter.item(item, indent);
    return formatter.result();
}

CString formatPropertyList(const CPropertyList& list, int indent, int crlf) {
    Formatter formatter(crlf);
    formatter.list(list, static_cast<long>(indent) + 1);
    return formatter.result();
}
