# Only word 0 is looked at: q with more words quits.
stdin:
<q now please
<help
stdout:
|ZEB> %
