"""Builds and installs the quillset module with the project's own CMake build, so that
`pip install --no-build-isolation ./python` works offline with Debian's setuptools."""
import pathlib
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent.parent


def project_version():
    return re.search(r"project\(Quillset VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text()).group(1)


class CMakeBuild(build_ext):
    """Builds the module target, then places it beside its stubs and the bundled syntax."""

    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        options = ["QUILLSET_BUILD_PYTHON=ON", "QUILLSET_BUILD_TESTS=OFF", "QUILLSET_BUILD_BENCHMARKS=OFF",
                   "QUILLSET_BUILD_EXAMPLES=OFF", "QUILLSET_BUILD_TOOL=OFF", "CMAKE_BUILD_TYPE=Release", f"Python_EXECUTABLE={sys.executable}"]
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build)] + ["-D" + option for option in options],
                       check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "quillset_python", "-j2"], check=True)
        built = build / "python"
        module = pathlib.Path(self.get_ext_fullpath(ext.name))
        module.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(next(built.glob("quillset.*.so")), module)
        shutil.copy2(built / "quillset.pyi", module.parent)
        shutil.copytree(built / "quillset_data", module.parent / "quillset_data", dirs_exist_ok=True)


setup(
    name="quillset",
    version=project_version(),
    description="Network-device configuration text to a structured record store and back",
    ext_modules=[Extension("quillset", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    zip_safe=False,
)
