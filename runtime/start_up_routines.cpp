// Two routines that the C runtime's start-up calls, in place of its own, which bring fprintf,
// section scanning and VirtualProtect into the shipped 32-bit programs:
// - the runtime relocator patches references to data imported from DLLs; the programs import none
//   (cmake/lean-i686.ld fails the link as soon as one appears), so there is nothing to patch;
// - _matherr reports a maths error on stderr, which a windowed program lacks, and returns 0, "not
//   handled", which is all it does here.
struct _exception;

extern "C" {
void _pei386_runtime_relocator() {}
int _matherr(_exception*) { return 0; }
}
