#pragma once

// Everything the foundation subsystem exports.
