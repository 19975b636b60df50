#pragma once

// Everything the measure subsystem exports.
