#!/usr/bin/env python3
"""Checks that Bio.Phylo and R's ape read a tree written with -ExactNewick as the same tree.

    readback_newick.py NEWICK HEIGHTS

HEIGHTS holds the merge heights R's hclust gives for the same data and rule, increasing, one
a line (ward_cutree.R). Bio.Phylo must find every leaf at the root's height within 1e-9 of it
(ultrametric) and the merges at the heights of HEIGHTS within 1e-9 of the root's height; ape
(when Rscript is found) must accept the tree in as.hclust, whose heights are twice the merge
heights (ape halves a dendrogram's heights into branch lengths), and give the same heights.
Exit status 0 when all agree, 1 with the differences on stderr, 2 when Bio.Phylo is missing.
"""
import os
import shutil
import subprocess
import sys


def close(a, b, scale):
    return abs(a - b) <= 1e-9 * scale


def main():
    newick, heights_file = sys.argv[1], sys.argv[2]
    with open(heights_file) as f:
        expected = [float(line) for line in f if line.strip()]
    top = max(expected)
    errors = []
    try:
        from Bio import Phylo
    except ImportError:
        print("Bio.Phylo is not installed", file=sys.stderr)
        return 2
    tree = Phylo.read(newick, "newick")
    depths = tree.depths()
    leaves = [depths[clade] for clade in tree.get_terminals()]
    root = max(leaves)
    if not close(min(leaves), root, root):
        errors.append(f"Bio.Phylo: leaves between {min(leaves)!r} and {root!r}: not ultrametric")
    merges = sorted(root - depths[clade] for clade in tree.get_nonterminals())
    if len(merges) != len(expected) or not all(close(a, b, top) for a, b in zip(merges, expected)):
        errors.append("Bio.Phylo: merge heights differ from hclust's")

    rscript = shutil.which("Rscript")
    if rscript:
        here = os.path.dirname(os.path.abspath(__file__))
        result = subprocess.run([rscript, os.path.join(here, "readback_newick.R"), newick],
                                capture_output=True, text=True)
        if result.returncode != 0:
            errors.append("ape: " + result.stderr.strip())
        else:
            got = sorted(float.fromhex(h) / 2 for h in result.stdout.split())
            if len(got) != len(expected) or not all(close(a, b, top) for a, b in zip(got, expected)):
                errors.append("ape: as.hclust heights differ from hclust's")
    else:
        print("Rscript not found: ape not checked", file=sys.stderr)
    for error in errors:
        print(error, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
