stdin:
<
<help
stdout:
|ZEB> %
