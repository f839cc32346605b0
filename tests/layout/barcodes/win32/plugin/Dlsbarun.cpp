// Stand-in for the plug-in's redistributable: only its presence matters.
extern "C" __declspec(dllexport) int DlsbarunVersion() { return 1; }
