// A library with neither of EnCodeQr.dll's exports: what the QR dialog meets
// when a wrong file carries the library's name.
extern "C" __declspec(dllexport) int __cdecl SomethingElse() { return 0; }
