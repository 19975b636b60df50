#pragma once

// Everything the properties subsystem exports.
