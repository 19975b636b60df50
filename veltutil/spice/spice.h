#pragma once

// Everything the spice subsystem exports.
