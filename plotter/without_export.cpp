// A loadable module named like the plotting module that does not export GrapherCreate.
extern "C" __attribute__((visibility("default"))) int GrapherVersion() { return 0; }
