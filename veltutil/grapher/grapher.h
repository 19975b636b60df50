#pragma once

// Everything the grapher subsystem exports.
