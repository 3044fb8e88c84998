// A loadable library without ModuleEntryPoint, for the loader's tests.
extern "C" int vantoraNotAnEntryPoint() {
    return 0;
}
