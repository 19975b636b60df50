#pragma once

// Everything the framework subsystem exports.
