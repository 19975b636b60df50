// The root object's axis operations (slots 26, 30, 49 to 61, 96).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

namespace {

auto setLabel(const char* label) {
    return [text = TextOf(label)](Axis& axis) {
        axis.label = text;
        return S_OK;
    };
}

auto setLabelFont(int width, int height, const char* faceName) {
    return [font = FontOf(width, height, faceName)](Axis& axis) {
        axis.labelFont = font;
        return S_OK;
    };
}

auto setValueFont(int width, int height, const char* faceName) {
    return [font = FontOf(width, height, faceName)](Axis& axis) {
        axis.valueFont = font;
        return S_OK;
    };
}

auto setEnabled(int enabled) {
    return [enabled](Axis& axis) {
        axis.show = enabled != 0 ? AxisShow::kOn : AxisShow::kOff;
        return S_OK;
    };
}

// The three ints of the attribute operations carry nothing that a picture needs.
auto setScale(ScaleType scale) {
    return [scale](Axis& axis) {
        axis.scale = scale;
        return S_OK;
    };
}

auto setRange(double lo, double hi) {
    return [lo, hi](Axis& axis) {
        if (!std::isfinite(lo) || !std::isfinite(hi)) return E_INVALIDARG;
        axis.autoRange = false;
        axis.lo = lo;
        axis.hi = hi;
        return S_OK;
    };
}

}  // namespace

long ModelGrapher::SetAxisLabelAt(CGraph* graph, int index, int vertical, const char* label) {
    return EditAxisAt(graph, index, vertical, setLabel(label));
}

long ModelGrapher::SetAxisLabel(CGraph* graph, AxisPosition position, const char* label) {
    return EditAxis(graph, position, setLabel(label));
}

long ModelGrapher::SetAxisLabelFontAt(CGraph* graph, int index, int vertical, int width, int height, const char* faceName) {
    return EditAxisAt(graph, index, vertical, setLabelFont(width, height, faceName));
}

long ModelGrapher::SetAxisLabelFont(CGraph* graph, AxisPosition position, int width, int height, const char* faceName) {
    return EditAxis(graph, position, setLabelFont(width, height, faceName));
}

long ModelGrapher::SetAxisValueFontAt(CGraph* graph, int index, int vertical, int width, int height, const char* faceName) {
    return EditAxisAt(graph, index, vertical, setValueFont(width, height, faceName));
}

long ModelGrapher::SetAxisValueFont(CGraph* graph, AxisPosition position, int width, int height, const char* faceName) {
    return EditAxis(graph, position, setValueFont(width, height, faceName));
}

long ModelGrapher::SetAxisEnabledAt(CGraph* graph, int index, int vertical, int enabled) {
    return EditAxisAt(graph, index, vertical, setEnabled(enabled));
}

long ModelGrapher::SetAxisEnabled(CGraph* graph, AxisPosition position, int enabled) {
    return EditAxis(graph, position, setEnabled(enabled));
}

long ModelGrapher::SetAxisAttrAt(CGraph* graph, int index, int vertical, int, int, int, ScaleType scale) {
    return EditAxisAt(graph, index, vertical, setScale(scale));
}

long ModelGrapher::SetAxisAttr(CGraph* graph, AxisPosition position, int, int, int, ScaleType scale) {
    return EditAxis(graph, position, setScale(scale));
}

long ModelGrapher::SetAxisRangeAt(CGraph* graph, int index, int vertical, double lo, double hi) {
    return EditAxisAt(graph, index, vertical, setRange(lo, hi));
}

long ModelGrapher::SetAxisRange(CGraph* graph, AxisPosition position, double lo, double hi) {
    return EditAxis(graph, position, setRange(lo, hi));
}

long ModelGrapher::AutoRange(CGraph* graph, AxisPosition position) {
    return EditAxis(graph, position, [](Axis& axis) {
        axis.autoRange = true;
        return S_OK;
    });
}

long ModelGrapher::AutoPrecision(CGraph* graph, AxisPosition position, int precision, int) {
    return EditAxis(graph, position, [precision](Axis& axis) {
        axis.precision = precision;
        return S_OK;
    });
}

long ModelGrapher::SetDisplayDigitalData(CGraph* graph, AxisPosition position, int digital) {
    return EditAxis(graph, position, [digital](Axis& axis) {
        axis.digital = digital != 0;
        return S_OK;
    });
}

long ModelGrapher::SetUseCommonAxises(CGraph* graph, int commonX, int commonY, int third) {
    return EditGraph(graph, [&](Graph& g) {
        g.commonAxes = {commonX, commonY, third};
        return S_OK;
    });
}

}  // namespace plotmodel
