#pragma once

// The enumerations shared by the grapher client and the plotting module. All are plain ints:
// values outside the named ones pass through unchanged.

// Positions 0 and 2 carry one scale (the X axes), 1 and 3 the other (the Y axes); a trace is
// drawn against positions 0 and 3 unless told otherwise.
enum AxisPosition : int {
    AXIS_POSITION_0 = 0,
    AXIS_POSITION_1 = 1,
    AXIS_POSITION_2 = 2,
    AXIS_POSITION_3 = 3,
};

// Axis scale kinds 0 to 3 as grid types carry them; 4 marks a scale not set yet.
enum ScaleType : int {
    SCALE_TYPE_0 = 0,
    SCALE_TYPE_1 = 1,
    SCALE_TYPE_2 = 2,
    SCALE_TYPE_3 = 3,
    SCALE_TYPE_RESET = 4,
};

// A pair of scale kinds in one number (GetTypeGridFrom).
enum GRIDTYPE : int {};

// How one complex result is presented.
enum GrapherDiagramType : int {
    DIAGRAM_SINGLE_VALUE = 0,
    DIAGRAM_REAL_IMAGINARY = 1,
    DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX = 2,
    DIAGRAM_MAGNITUDE_PHASE = 3,
    DIAGRAM_GAIN_PHASE = 4,
};
using DiagramType = GrapherDiagramType;

// The kind of a table column; its meaning belongs to the plotting module.
enum ChartType : int {};
