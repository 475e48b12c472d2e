# On an empty store find writes nothing at all.
stdin:
<find anybody
<pdb
<q
stdout:
|ZEB> ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> %
