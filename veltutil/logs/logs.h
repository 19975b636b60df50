#pragma once

// Everything the logs subsystem exports.
