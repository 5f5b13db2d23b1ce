"""Builds the tavomerix module with CMake from the repository around this directory.

    /usr/bin/python3 -m venv --system-site-packages v
    v/bin/pip install --no-build-isolation --no-index ./python

The module is built for the interpreter that runs this script (-DPython3_EXECUTABLE);
TAVOMERIX_BUILD_JOBS sets the build's parallel jobs (default 2). TAVOMERIX_CMAKE_BUILD_DIR
names a build directory already configured with -DTAVOMERIX_PYTHON=ON for this
interpreter: the module is built there, with the objects it has, and not configured anew.
"""

import os
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent


def project_version() -> str:
    """The version the top CMakeLists.txt states (its one home)."""
    for line in (ROOT / "CMakeLists.txt").read_text(encoding="utf-8").splitlines():
        if line.startswith("project(tavomerix VERSION "):
            return line.split()[2]
    raise RuntimeError("no project version in CMakeLists.txt")


class CMakeBuild(build_ext):
    """Configures the repository with -DTAVOMERIX_PYTHON=ON and builds the module alone."""

    def build_extension(self, ext: Extension) -> None:
        chosen = os.environ.get("TAVOMERIX_CMAKE_BUILD_DIR")
        build = Path(chosen).resolve() if chosen else Path(self.build_temp).resolve() / "cmake"
        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        if not chosen:
            subprocess.run(
                [
                    "cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                    "-DTAVOMERIX_PYTHON=ON", "-DTAVOMERIX_TESTS=OFF", "-DTAVOMERIX_BENCH=OFF",
                    f"-DPython3_EXECUTABLE={sys.executable}",
                ],
                check=True,
            )
        jobs = os.environ.get("TAVOMERIX_BUILD_JOBS", "2")
        subprocess.run(
            ["cmake", "--build", str(build), "--target", "tavomerix_python", "-j", jobs],
            check=True,
        )
        built = build / "python" / "tavomerix" / target.name
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(target))


setup(
    name="tavomerix",
    version=project_version(),
    description="The Chinese lunisolar calendar of -8999..9000: lunar dates, solar terms, almanac",
    packages=["tavomerix"],
    package_data={"tavomerix": ["__init__.pyi", "py.typed"]},
    ext_modules=[Extension("tavomerix._tavomerix", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    python_requires=">=3.9",
    zip_safe=False,
)
