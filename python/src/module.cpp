// The quillset Python module: the library's records, stores and syntaxes as Python classes.
#include "bindings.h"

PYBIND11_MODULE(quillset, module)
{
    module.doc() =
        "Quillset: network-device configuration text to a structured record store and back, driven by a "
        "syntax file.\n\n"
        "    syntax = quillset.Syntax()            # the bundled device syntax\n"
        "    store = syntax.parse(pathlib.Path('router.cfg'))\n"
        "    for interface in store.records('Interface'):\n"
        "        print(interface['name'], [child.name for child in interface.children])\n"
        "    text = syntax.generate(store)\n";
    quillset::python::BindErrors(module);
    quillset::python::BindRecord(module);
    quillset::python::BindStore(module);
    quillset::python::BindSyntax(module);
    quillset::python::BindDiff(module);
}
