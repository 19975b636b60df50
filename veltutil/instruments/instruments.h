#pragma once

// Everything the instruments subsystem exports.
