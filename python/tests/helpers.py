"""Paths and small helpers the module's tests share."""
import os
import pathlib

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
ROUTER_CFG = SOURCE_DIR / "examples" / "router.cfg"


def corpus_files():
    """The device configurations beside the project, or [] when the folder is absent."""
    folder = pathlib.Path(os.environ.get("QUILLSET_CORPUS_DIR") or SOURCE_DIR.parent / "shared" / "corpus")
    return sorted(folder.glob("*.cfg")) if folder.is_dir() else []


def meaningful_lines(text):
    """The sorted lines that carry something: a lone '!' carries nothing in the dialect."""
    lines = (line.rstrip("\r") for line in text.split("\n"))
    return sorted(line for line in lines if line.strip(" !"))
